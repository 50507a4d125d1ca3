// SPDX-FileCopyrightText: 2026 The Zanfilo team
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "ui/colour.h"
#include "ui/control_array.h"
#include "ui/controls.h"
#include "ui/form.h"
#include "windows/exercise/label_grid.h"
#include "windows/exercise/panel.h"

#include <array>
#include <vector>

namespace levels {
struct Modulo1;
}
namespace pictures {
class PictureStore;
}
namespace ui {
class Runtime;
}

namespace exercise {

inline constexpr int kDiscs = 20; // Shape1(1..20), the discs of the number line

// The Italian word a child counts with ("uno" ... "venti"); digits beyond.
QString numberWord(int n);

// What an exercise window uses of the program around it.
struct ExerciseServices
{
    ui::Runtime& runtime;
    const levels::Modulo1& settings;
    pictures::PictureStore& figures;
};

// What the two exercise windows define differently; everything else they share.
struct ExerciseDesign
{
    struct Title
    {
        ui::TwipRect rect;
        QString caption;
        ui::Colour back;
    };
    struct Button
    {
        ui::TwipRect rect;
        int tabIndex;
        double points;
    };
    struct Slot
    {
        int index;
        ui::Twips left;
        ui::Twips top;
    };

    QString name;
    QString caption;
    Title labelOb;
    Title label21;
    ui::TwipRect fraSfondoS;
    ui::TwipRect shape2;
    std::vector<Slot> pictureSlots;
    ui::TwipRect frame4;
    ui::TwipRect frame1;
    ui::Colour frame1Back;
    bool frame1Bordered;
    bool discsAboveLine; // otherwise the line and its ticks run across the discs
    ui::ButtonStyle buttonStyle;
    Button ricomincia;
    Button conta;
    Button operazione;
    Button verifica;
};

// The skeleton both exercise windows share: the controls, the cycle of task, counting, check
// and next task, the label grid and the result and timing panel. Each exercise supplies its
// design, its task and what a press of "CONTA" shows. The object outlives the window, so the
// counts and the total time go on when the window is opened again.
class ExerciseWindow : public ui::Form
{
    Q_OBJECT
public:
    ExerciseWindow(const ExerciseServices& services, ExerciseDesign design);

    // Fields.
    int Conteggio = 0;
    int NumeroOperazione = 0;
    int NumeroElementi = 0;
    int Figura = 0;
    Counter RisposteEsatte;
    Counter RisposteErrate;
    double TempoInizio = 0; // monotonic seconds when the task was ready
    double TempoFine = 0;
    std::int64_t SecondiParziali = 0;
    std::int64_t SecondiTotali = 0;

    // Controls, valid while the window is loaded.
    ui::Label* LabelOb = nullptr;
    ui::Label* Label21 = nullptr;
    ui::Frame* FraSfondoS = nullptr;
    ui::Shape* Shape2 = nullptr;
    ui::ControlArray<ui::Image> Image2;
    ui::Frame* Frame4 = nullptr;
    ui::Label* Label22 = nullptr;
    ui::ControlArray<ui::Label> Label23;
    ui::ControlArray<ui::Shape> Shape1;
    ui::Frame* Frame1 = nullptr;
    // LabelN[n] is the array Label<n>; column n is its elements 1..n. LabelN[5] also holds the
    // statistics captions 0 and 6..9.
    std::array<ui::ControlArray<ui::Label>, kColumns + 1> LabelN;
    ui::CommandButton* CmdRicomincia = nullptr;
    ui::CommandButton* CmdContaElementi = nullptr;
    ui::CommandButton* CmdOperazione = nullptr;
    ui::CommandButton* CmdVerifica = nullptr;
    ui::Label* LblEsito = nullptr;
    ui::Frame* frmElaborazione = nullptr;
    ui::Label* LblOperazione = nullptr;
    ui::Label* lblRisEsatte = nullptr;
    ui::Label* lblRisErrate = nullptr;
    ui::Label* LblTempoParziale = nullptr;
    ui::Label* LblTempoTotale = nullptr;

    // The four buttons' actions, as a click on each runs them.
    void CmdContaElementi_Click();
    void CmdVerifica_Click();
    void CmdOperazione_Click();
    void CmdRicomincia_Click();

    const ExerciseDesign& design() const { return design_; }

    // Left to right as they stand: "RICOMINCIA", "CONTA" (or "AVANTI" in its place), "VERIFICA".
    std::vector<ui::ScanItem> scanItems() const override;
    // A child on one switch reaches no close button of the window manager's.
    bool offersWayBack() const override { return true; }

protected:
    void createControls() override;
    void forgetControls() override;
    void Form_Load() override;

    // What each exercise does its own way.
    virtual void PreparaOperazione() = 0;
    // The last step of a press of "CONTA": show count Conteggio.
    virtual void mostraConteggio() = 0;
    // Step 7 of the load: the first task.
    virtual void primoCompito() = 0;
    // Empties the picture slots before the next task.
    virtual void svuotaPosti() = 0;
    // "RICOMINCIA": count the same task again.
    virtual void ricomincia() = 0;

    // The phases of a task, each with its own buttons: ready to count (only "CONTA"), counting
    // ("CONTA", "RICOMINCIA", "VERIFICA") and judged (only "AVANTI").
    enum class Phase { ReadyToCount, Counting, Judged };
    void showPhase(Phase phase);

    void NascondiSegni();
    void NascondiGriglia();
    void mostraColonna(int n);

    const levels::Modulo1& settings_;
    pictures::PictureStore& figures_;

private:
    void createPictureBoard();
    void createNumberLine();
    void createGrid();
    void createButtons();
    void createPanel();
    void registraEsito(bool esatto);
    void registraTempo();

    ExerciseDesign design_;
};

} // namespace exercise
