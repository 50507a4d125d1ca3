// SPDX-FileCopyrightText: 2026 The Zanfilo team
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/accessibility.h"

#include "ui/controls.h"

#include <QAccessibleWidget>

namespace ui {

namespace {

class LabelAccessible : public QAccessibleWidget
{
public:
    explicit LabelAccessible(Label* label) : QAccessibleWidget(label, QAccessible::StaticText) {}

    QString text(QAccessible::Text t) const override
    {
        const auto* label = static_cast<const Label*>(widget());
        if (t == QAccessible::Name)
            return label->accessibleName().isEmpty() ? label->Caption() : label->accessibleName();
        return QAccessibleWidget::text(t);
    }
};

QAccessibleInterface* factory(const QString& className, QObject* object)
{
    if (className == QLatin1String("ui::Label") && object && object->isWidgetType())
        return new LabelAccessible(static_cast<Label*>(object));
    return nullptr;
}

std::function<void(const QAccessibleEvent&)>& observer()
{
    static std::function<void(const QAccessibleEvent&)> current;
    return current;
}

} // namespace

void announceTextChange(QObject* control)
{
    QAccessibleEvent event(control, QAccessible::NameChanged);
    QAccessible::updateAccessibility(&event);
    if (observer())
        observer()(event);
}

void setAnnouncementObserver(std::function<void(const QAccessibleEvent&)> newObserver)
{
    observer() = std::move(newObserver);
}

void installAccessibility()
{
    static const bool installed = [] {
        QAccessible::installFactory(factory);
        return true;
    }();
    (void)installed;
}

} // namespace ui
