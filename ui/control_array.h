// SPDX-FileCopyrightText: 2026 The Zanfilo team
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QtGlobal>
#include <functional>
#include <map>
#include <utility>

namespace ui {

// Controls of one kind under one name, told apart by their index. The whole array shares one set
// of handlers, and each handler receives the element's index first.
template <class T> class ControlArray
{
public:
    void add(int index, T* element) { elements_[index] = element; }
    void clear() { elements_.clear(); }

    // An index the array lacks is a programming error: it stops the program at once rather than
    // reading past the end.
    T& operator()(int index) const { return *elements_.at(index); }
    bool contains(int index) const { return elements_.count(index) != 0; }
    int count() const { return static_cast<int>(elements_.size()); }
    int lowerBound() const { return elements_.empty() ? 0 : elements_.begin()->first; }
    int upperBound() const { return elements_.empty() ? -1 : elements_.rbegin()->first; }

    template <class F> void forEach(F&& f) const
    {
        for (const auto& [index, element] : elements_)
            f(index, *element);
    }

    // Binds one handler to an event of every element: on(&OptionButton::KeyDown, handler) calls
    // handler(index, keyCode, shift).
    template <class... Args, class Handler>
    void on(std::function<void(Args...)> T::*event, Handler handler) const
    {
        for (const auto& [index, element] : elements_) {
            element->*event = [handler, i = index](Args... args) { handler(i, std::forward<Args>(args)...); };
        }
    }

private:
    std::map<int, T*> elements_;
};

} // namespace ui
