// SPDX-FileCopyrightText: 2026 The Zanfilo team
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "ui/control_array.h"
#include "ui/form.h"
#include "windows/colours.h"
#include "windows/start/choice_groups.h"

#include <QPointer>
#include <functional>

namespace levels {
struct Modulo1;
}

namespace ui {
class Frame;
class Label;
class MenuEntry;
class OptionButton;
class PictureBox;
class Shape;
class Timer;
} // namespace ui

namespace start {

// What the start window reaches of the other windows, without knowing them.
struct StartLinks
{
    // Shows the exercise window of a choice (1, 2, ...), loading it if needed; nothing for others.
    std::function<void(int sceltaEsercizio)> showExercise;
    // Unloads every other window, in the order the program ends them.
    std::function<void()> unloadOthers;
};

// The start window (FrmInizio): the title, three groups of choice buttons (exercise, level,
// action) and two curtains that draw apart when it opens. Closing it ends the program.
class FrmInizio : public ui::Form
{
    Q_OBJECT
public:
    static constexpr QRgb kFocusedColour = colours::kFocusPeach.value();
    static constexpr QRgb kUnfocusedColour = colours::kPeach.value();

    FrmInizio(ui::Runtime& runtime, levels::Modulo1& settings, StartLinks links);

    // Which exercise was chosen: 0 none yet, 1 count on the line, 2 rebuild the set.
    int SceltaEsercizio() const { return sceltaEsercizio_; }
    bool curtainsOpen() const { return curtainsOpen_; }

    // Group by group, then "Vai", "Reimposta", "Esci".
    std::vector<ui::ScanItem> scanItems() const override;

    // Controls, valid while the window is loaded.
    ui::Timer* timerTendine = nullptr;
    ui::PictureBox* Picture1 = nullptr;
    ui::PictureBox* Picture2 = nullptr;
    ui::Frame* frmTitolo = nullptr;
    ui::Label* Label1 = nullptr;
    ui::Label* Label4 = nullptr;
    ui::Shape* Shape2 = nullptr;
    ui::Shape* Shape1 = nullptr;
    ui::Frame* Frame1 = nullptr;
    ui::Frame* Frame2 = nullptr;
    ui::Frame* Frame3 = nullptr;
    ui::ControlArray<ui::OptionButton> Option1;
    ui::ControlArray<ui::OptionButton> Option2;
    ui::ControlArray<ui::OptionButton> Option3;
    ui::ControlArray<ui::Label> Label3;
    ui::Label* Label5 = nullptr;
    ui::MenuEntry* mnu1 = nullptr;
    ui::MenuEntry* mnuAutore = nullptr;

protected:
    void createControls() override;
    void forgetControls() override;
    void Form_Load() override;
    void Form_Resize() override;
    void Form_Activate() override;
    void Form_Unload() override;

private:
    void bindHandlers();
    void describeForScreenReaders();
    void ApriTendine();
    void timerTendine_Timer();

    // The five steps, shared by mouse and keyboard.
    void scegliEsercizio(int index);
    void scegliLivello(int index);
    void vai();
    void reimposta(bool keyboardPath);
    void esci();

    void focusLook(ui::OptionButton& option);
    void unfocusLook(ui::OptionButton& option);

    // The handlers keep the names of the window's events; each group runs the one choice logic
    // below over its own row of the group table.
    void Option1_KeyDown(int index, int& keyCode, int shift);
    void Option2_KeyDown(int index, int& keyCode, int shift);
    void Option3_KeyDown(int index, int& keyCode, int shift);
    void Option1_MouseUp(int index);
    void Option2_MouseUp(int index);
    void Option3_MouseUp(int index);
    void Option2_Click(int index);

    struct ChoiceGroup
    {
        const ChoiceKeys& keys;
        ui::ControlArray<ui::OptionButton>& options;
        ChoiceGuards& guards;
        // The next group: an accepted key sets its key guard, a mouse release here clears both.
        ChoiceGuards* next;
        void (FrmInizio::*step)(int index, bool keyboardPath);
    };
    ChoiceGroup esercizio()
    {
        return {kEsercizioKeys, Option1, blocco1_, &blocco2_, &FrmInizio::stepEsercizio};
    }
    ChoiceGroup livello() { return {kLivelloKeys, Option2, blocco2_, &blocco3_, &FrmInizio::stepLivello}; }
    ChoiceGroup azione() { return {kAzioneKeys, Option3, blocco3_, nullptr, &FrmInizio::stepAzione}; }

    void choiceKeyDown(const ChoiceGroup& group, int index, int& keyCode);
    // Space moves the focus within a group, once per press.
    void spaceCycle(const ChoiceGroup& group, int index, int& keyAscii);
    static void choiceKeyUp(const ChoiceGroup& group);
    static void choiceMouseUp(const ChoiceGroup& group);

    void stepEsercizio(int index, bool keyboardPath);
    void stepLivello(int index, bool keyboardPath);
    void stepAzione(int index, bool keyboardPath);

    levels::Modulo1& settings_;
    StartLinks links_;
    int sceltaEsercizio_ = 0;
    ChoiceGuards blocco1_;
    ChoiceGuards blocco2_;
    ChoiceGuards blocco3_;
    bool curtainsOpen_ = false;
};

} // namespace start
