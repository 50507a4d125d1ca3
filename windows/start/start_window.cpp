// SPDX-FileCopyrightText: 2026 The Zanfilo team
// SPDX-License-Identifier: GPL-3.0-or-later

#include "windows/start/start_window.h"

#include "pictures/picture_store.h"
#include "settings/levels.h"
#include "ui/controls.h"
#include "ui/keys.h"
#include "ui/twips.h"
#include "windows/colours.h"
#include "windows/fonts.h"
#include "windows/start/curtains.h"

namespace start {

using ui::twips;

namespace {

constexpr QSizeF kDesignInner(11925, 8595);

void defineOption(ui::OptionButton& option, const ui::TwipRect& rect, const QString& caption, double points,
                  int tabIndex)
{
    option.Move(rect);
    option.setCaption(caption);
    option.setBackColor(colours::kPeach);
    option.setForeColor(colours::kDarkBlue);
    option.setFont(fonts::arial(points, true));
    option.setTabIndex(tabIndex);
}

void defineBar(ui::Label& bar, const ui::TwipRect& rect, int tabIndex)
{
    bar.Move(rect);
    bar.setBackColor(colours::kPink);
    bar.setTabIndex(tabIndex);
}

void defineFrame(ui::Frame& frame, const ui::TwipRect& rect, int tabIndex)
{
    frame.Move(rect);
    frame.setBackColor(colours::kPink);
    frame.setBordered(true);
    frame.setTabIndex(tabIndex);
}

} // namespace

FrmInizio::FrmInizio(ui::Runtime& runtime, levels::Modulo1& settings, StartLinks links)
    : ui::Form(runtime, QStringLiteral("FrmInizio"), kDesignInner), settings_(settings),
      links_(std::move(links))
{
}

void FrmInizio::createControls()
{
    sceltaEsercizio_ = 0;
    blocco1_ = blocco2_ = blocco3_ = {};
    curtainsOpen_ = false;

    setCaption(QStringLiteral("BRENTONI"));
    setBackColor(colours::kPink);
    setIcon(pictures::programIcon());
    QWidget* window = client();

    timerTendine = addTimer(QStringLiteral("timerTendine"), twips(11280), twips(7560));
    timerTendine->setInterval(kCurtainIntervalMs);
    timerTendine->setEnabled(false);

    Picture1 = add<ui::PictureBox>(window, QStringLiteral("Picture1"));
    Picture1->Move(twips(0, 0, 120, 8595));
    Picture1->setBackColor(colours::kCurtainPink);
    Picture1->setDock(ui::Dock::Left);
    Picture1->setTabIndex(5);
    Picture2 = add<ui::PictureBox>(window, QStringLiteral("Picture2"));
    Picture2->Move(twips(11700, 0, 225, 8595));
    Picture2->setBackColor(colours::kCurtainPink);
    Picture2->setDock(ui::Dock::Right);
    Picture2->setTabIndex(4);

    frmTitolo = add<ui::Frame>(window, QStringLiteral("frmTitolo"));
    frmTitolo->Move(twips(90, 120, 11385, 1965));
    frmTitolo->setBackColor(colours::kPink);
    frmTitolo->setBordered(false);
    frmTitolo->setTabIndex(1);
    Label1 = add<ui::Label>(frmTitolo, QStringLiteral("Label1"));
    Label1->Move(twips(9870, 1350, 945, 240));
    Label1->setCaption(QStringLiteral("Vers. 1.2.0"));
    Label1->setTransparent(true);
    Label1->setForeColor(ui::Colour::windowText());
    Label1->setFont(fonts::msSansSerif(8.25, false));
    Label1->setTabIndex(3);
    Label4 = add<ui::Label>(frmTitolo, QStringLiteral("Label4"));
    Label4->Move(twips(360, 315, 10560, 1245));
    Label4->setCaption(QStringLiteral("ZANFILO"));
    Label4->setBackColor(colours::kPink);
    Label4->setForeColor(colours::kDarkBlue);
    Label4->setFont(fonts::arial(36, true));
    Label4->setAlignment(ui::Alignment::Center);
    Label4->setTabIndex(2);
    Shape2 = add<ui::Shape>(frmTitolo, QStringLiteral("Shape2"));
    Shape2->Move(twips(90, 210, 10950, 1515));
    Shape2->setShape(ui::ShapeKind::RoundedRectangle);
    Shape2->setFillColor(colours::kPink);
    Shape2->setBorderColor(ui::Colour::windowText());
    Shape2->setBorderWidth(1);
    Shape1 = add<ui::Shape>(frmTitolo, QStringLiteral("Shape1"));
    Shape1->Move(twips(90, 195, 11025, 1605));
    Shape1->setShape(ui::ShapeKind::RoundedRectangle);
    Shape1->setFillColor(colours::kCurtainPink);
    Shape1->setBorderColor(ui::Colour::windowText());
    Shape1->setBorderWidth(2);

    Frame1 = add<ui::Frame>(window, QStringLiteral("Frame1"));
    defineFrame(*Frame1, twips(135, 4080, 3630, 3150), 6);
    Option1.add(1, add<ui::OptionButton>(Frame1, QStringLiteral("Option1"), 1));
    Option1.add(0, add<ui::OptionButton>(Frame1, QStringLiteral("Option1"), 0));
    Label3.add(0, add<ui::Label>(Frame1, QStringLiteral("Label3"), 0));
    Label3.add(1, add<ui::Label>(Frame1, QStringLiteral("Label3"), 1));
    defineOption(Option1(0), twips(105, 150, 3195, 1380), QStringLiteral("Zanfilo"), 14.25, 7);
    defineOption(Option1(1), twips(105, 1575, 3195, 1380), QStringLiteral("Costruire l'insieme"), 13.5, 8);
    defineBar(Label3(0), twips(3330, 150, 195, 1305), 10);
    defineBar(Label3(1), twips(3330, 1590, 195, 1305), 9);

    Frame2 = add<ui::Frame>(window, QStringLiteral("Frame2"));
    defineFrame(*Frame2, twips(3840, 4110, 3630, 3150), 11);
    for (int i = 2; i >= 0; --i)
        Option2.add(i, add<ui::OptionButton>(Frame2, QStringLiteral("Option2"), i));
    Label3.add(4, add<ui::Label>(Frame2, QStringLiteral("Label3"), 4));
    Label3.add(2, add<ui::Label>(Frame2, QStringLiteral("Label3"), 2));
    Label3.add(3, add<ui::Label>(Frame2, QStringLiteral("Label3"), 3));
    defineOption(Option2(0), twips(105, 150, 3195, 930), QString(), 8.25, 12);
    defineOption(Option2(1), twips(105, 1125, 3195, 915), QString(), 8.25, 13);
    defineOption(Option2(2), twips(105, 2070, 3195, 915), QString(), 8.25, 14);
    for (int i = 0; i < 3; ++i)
        Option2(i).setPicture(pictures::levelPicture(i));
    defineBar(Label3(2), twips(3375, 150, 195, 855), 17);
    defineBar(Label3(3), twips(3375, 1140, 195, 855), 16);
    defineBar(Label3(4), twips(3375, 2100, 195, 855), 15);

    // "Esci" stands on the window over the lower part of Frame3, so disabling the frame never
    // disables it.
    Option3.add(2, add<ui::OptionButton>(window, QStringLiteral("Option3"), 2));
    defineOption(Option3(2), twips(7695, 6270, 3195, 915), QStringLiteral("Esci"), 14.25, 21);
    Frame3 = add<ui::Frame>(window, QStringLiteral("Frame3"));
    defineFrame(*Frame3, twips(7575, 4230, 3645, 3150), 18);
    Option3.add(0, add<ui::OptionButton>(Frame3, QStringLiteral("Option3"), 0));
    Option3.add(1, add<ui::OptionButton>(Frame3, QStringLiteral("Option3"), 1));
    defineOption(Option3(0), twips(105, 180, 3195, 915), QStringLiteral("Vai"), 14.25, 20);
    defineOption(Option3(1), twips(105, 1080, 3195, 915), QStringLiteral("Reimposta"), 14.25, 19);

    Label5 = add<ui::Label>(window, QStringLiteral("Label5"));
    Label5->Move(twips(510, 7710, 10815, 465));
    Label5->setCaption(QStringLiteral("Esercizi per contare, realizzati dalla squadra di Zanfilo"));
    Label5->setBackColor(colours::kPink);
    Label5->setForeColor(colours::kDarkRed);
    Label5->setFont(fonts::arial(18, true));
    Label5->setAlignment(ui::Alignment::Center);
    Label5->setTabIndex(0);

    // The menu has no action: "About" stands on the bar, the caption-less mnu1 is not shown.
    mnu1 = addMenuEntry(QStringLiteral("mnu1"), QString(), false);
    mnuAutore = addMenuEntry(QStringLiteral("mnuAutore"), QStringLiteral("About"), true);

    describeForScreenReaders();
    bindHandlers();
}

void FrmInizio::forgetControls()
{
    timerTendine = nullptr;
    Picture1 = Picture2 = nullptr;
    frmTitolo = nullptr;
    Label1 = Label4 = Label5 = nullptr;
    Shape1 = Shape2 = nullptr;
    Frame1 = Frame2 = Frame3 = nullptr;
    Option1.clear();
    Option2.clear();
    Option3.clear();
    Label3.clear();
    mnu1 = mnuAutore = nullptr;
}

void FrmInizio::bindHandlers()
{
    using ui::OptionButton;
    timerTendine->Tick = [this] { timerTendine_Timer(); };

    const auto look = [this](ui::ControlArray<OptionButton>& group) {
        group.on(&OptionButton::GotFocus, [this, &group](int i) { focusLook(group(i)); });
        group.on(&OptionButton::LostFocus, [this, &group](int i) { unfocusLook(group(i)); });
    };
    look(Option1);
    look(Option2);
    look(Option3);

    const auto mouseDown = [this](const ChoiceGroup& group) {
        group.options.on(
            &OptionButton::MouseDown,
            [this, step = group.step](int i, int, int, ui::Twips, ui::Twips) { (this->*step)(i, false); });
    };
    mouseDown(esercizio());
    mouseDown(livello());
    mouseDown(azione());
    Option1.on(&OptionButton::MouseUp, [this](int i, int, int, ui::Twips, ui::Twips) { Option1_MouseUp(i); });
    Option2.on(&OptionButton::MouseUp, [this](int i, int, int, ui::Twips, ui::Twips) { Option2_MouseUp(i); });
    Option3.on(&OptionButton::MouseUp, [this](int i, int, int, ui::Twips, ui::Twips) { Option3_MouseUp(i); });
    Option2.on(&OptionButton::Click, [this](int i) { Option2_Click(i); });

    Option1.on(&OptionButton::KeyDown, [this](int i, int& k, int s) { Option1_KeyDown(i, k, s); });
    Option2.on(&OptionButton::KeyDown, [this](int i, int& k, int s) { Option2_KeyDown(i, k, s); });
    Option3.on(&OptionButton::KeyDown, [this](int i, int& k, int s) { Option3_KeyDown(i, k, s); });
    Option1.on(&OptionButton::KeyPress, [this](int i, int& c) { spaceCycle(esercizio(), i, c); });
    Option2.on(&OptionButton::KeyPress, [this](int i, int& c) { spaceCycle(livello(), i, c); });
    Option3.on(&OptionButton::KeyPress, [this](int i, int& c) { spaceCycle(azione(), i, c); });
    Option1.on(&OptionButton::KeyUp, [this](int, int&, int) { choiceKeyUp(esercizio()); });
    Option2.on(&OptionButton::KeyUp, [this](int, int&, int) { choiceKeyUp(livello()); });
    Option3.on(&OptionButton::KeyUp, [this](int, int&, int) { choiceKeyUp(azione()); });
}

// Start-up and end ------------------------------------------------------------------------------

void FrmInizio::Form_Load()
{
    // The curtains first, so the layout records them at half the width.
    ApriTendine();
    RilevaProporzioni();
}

void FrmInizio::Form_Resize()
{
    ApplicaProporzioni();
    // Once open, the curtains stay open at every size; while opening they start again from
    // their recorded share.
    if (curtainsOpen_) {
        Picture1->setWidth(twips(0));
        Picture2->setWidth(twips(0));
    }
}

void FrmInizio::Form_Activate()
{
    Frame1->setEnabled(true);
    Option1(0).SetFocus();
    Frame2->setEnabled(true);
    Frame3->setEnabled(true);
}

void FrmInizio::Form_Unload()
{
    links_.unloadOthers();
    // Unloading this window itself is already under way.
}

// Curtains ------------------------------------------------------------------------------------

void FrmInizio::ApriTendine()
{
    Picture1->setWidth(Width() / 2);
    Picture2->setWidth(Width() / 2);
    timerTendine->setEnabled(true);
}

void FrmInizio::timerTendine_Timer()
{
    // A minimised window has its curtains at 0 x 0; a tick then would end the opening unseen, and
    // the restore must open them again from their share.
    if (isMinimised())
        return;
    const CurtainTick tick = curtainTick(Picture1->Width(), Picture2->Width());
    Picture1->setWidth(tick.left);
    Picture2->setWidth(tick.right);
    if (tick.stop) {
        timerTendine->setEnabled(false);
        curtainsOpen_ = true;
    }
}

// The five steps --------------------------------------------------------------------------------

void FrmInizio::scegliEsercizio(int index)
{
    sceltaEsercizio_ = index + 1;
    Frame1->setEnabled(false);
    Frame2->setEnabled(true);
    Option2(0).SetFocus();
}

void FrmInizio::scegliLivello(int index)
{
    settings_.applyLevelPreset(index);
    Frame1->setEnabled(false);
    Frame2->setEnabled(false);
    Frame3->setEnabled(true);
    Option3(0).SetFocus();
}

void FrmInizio::vai()
{
    // Without a level the task would have no pictures and no number: wait for the choice.
    if (!settings_.levelChosen())
        return;
    if (sceltaEsercizio_ != 0)
        links_.showExercise(sceltaEsercizio_);
}

void FrmInizio::reimposta(bool keyboardPath)
{
    Frame1->setEnabled(true);
    if (keyboardPath)
        Option1(0).SetFocus();
    Frame2->setEnabled(false);
    Frame3->setEnabled(false);
    if (!keyboardPath)
        Option1(0).SetFocus();
}

void FrmInizio::esci()
{
    Unload();
}

void FrmInizio::stepEsercizio(int index, bool)
{
    scegliEsercizio(index);
}

void FrmInizio::stepLivello(int index, bool)
{
    scegliLivello(index);
}

void FrmInizio::stepAzione(int index, bool keyboardPath)
{
    switch (index) {
    case 0:
        vai();
        break;
    case 1:
        reimposta(keyboardPath);
        break;
    default:
        esci();
        break;
    }
}

// Focus look ------------------------------------------------------------------------------------

void FrmInizio::focusLook(ui::OptionButton& option)
{
    option.setValue(false);
    option.setBackColor(colours::kFocusPeach);
}

void FrmInizio::unfocusLook(ui::OptionButton& option)
{
    option.setBackColor(colours::kPeach);
    option.setValue(false);
}

// The choice groups ----------------------------------------------------------------------------

void FrmInizio::Option1_MouseUp(int)
{
    choiceMouseUp(esercizio());
}

void FrmInizio::Option2_MouseUp(int)
{
    choiceMouseUp(livello());
}

void FrmInizio::Option3_MouseUp(int)
{
    choiceMouseUp(azione());
}

void FrmInizio::Option2_Click(int index)
{
    settings_.applyLevelPreset(index);
}

void FrmInizio::Option1_KeyDown(int index, int& keyCode, int)
{
    choiceKeyDown(esercizio(), index, keyCode);
}

void FrmInizio::Option2_KeyDown(int index, int& keyCode, int)
{
    choiceKeyDown(livello(), index, keyCode);
}

void FrmInizio::Option3_KeyDown(int index, int& keyCode, int)
{
    choiceKeyDown(azione(), index, keyCode);
}

void FrmInizio::choiceKeyDown(const ChoiceGroup& group, int index, int& keyCode)
{
    if (group.guards.tasto)
        return;
    const ChoiceKeyEffect effect = choiceKeyEffect(group.keys, keyCode);
    if (effect.kind == ChoiceKeyEffect::Kind::Consumed) {
        keyCode = 0;
        return;
    }
    // The guards go up before the step: "Esci" unloads the window under the handler.
    group.guards.tasto = true;
    if (group.next)
        group.next->tasto = true;
    if (effect.kind == ChoiceKeyEffect::Kind::Focus)
        group.options(effect.focusTo).SetFocus();
    else if (effect.kind == ChoiceKeyEffect::Kind::Enter)
        (this->*group.step)(index, true);
}

void FrmInizio::spaceCycle(const ChoiceGroup& group, int index, int& keyAscii)
{
    if (group.guards.spazio)
        return;
    if (keyAscii == ui::key::Space) {
        group.options((index + 1) % group.options.count()).SetFocus();
        group.guards.spazio = true;
    } else {
        keyAscii = 0;
    }
}

void FrmInizio::choiceKeyUp(const ChoiceGroup& group)
{
    group.guards = {};
}

void FrmInizio::choiceMouseUp(const ChoiceGroup& group)
{
    // No option is left pressed in: the choice shows in the frames and the focus.
    group.options.forEach([](int, ui::OptionButton& option) { option.setValue(false); });
    if (group.next)
        *group.next = {};
}

} // namespace start
