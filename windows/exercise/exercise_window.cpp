// SPDX-FileCopyrightText: 2026 The Zanfilo team
// SPDX-License-Identifier: GPL-3.0-or-later

#include "windows/exercise/exercise_window.h"

#include "pictures/picture_store.h"
#include "settings/levels.h"
#include "ui/runtime.h"
#include "ui/services.h"
#include "ui/twips.h"
#include "windows/colours.h"
#include "windows/fonts.h"

#include <utility>

namespace exercise {

using ui::twips;

namespace {

constexpr QSizeF kDesignInner(11910, 8640);

// Left edges of the discs, by disc (index 0 unused), and of the line's five ticks; twips.
constexpr std::array<double, kDiscs + 1> kDiscLeft{0,    45,   525,  1005, 1485, 1950, 2415,
                                                   2880, 3360, 3825, 4290, 4770, 5235, 5715,
                                                   6195, 6675, 7155, 7620, 8085, 8565, 9060};
constexpr std::array<double, 5> kTickLeft{225, 2145, 4485, 6885, 9270};
constexpr std::array<double, 5> kTickTop{450, 450, 435, 420, 435};

struct StatColumn
{
    int caption;
    const char* text;
    ui::Twips captionLeft;
    ui::Twips valueLeft;
};
constexpr std::array<StatColumn, 5> kStatColumns{{{0, "Oper", twips(45), twips(105)},
                                                  {6, " Risposte esatte", twips(990), twips(1035)},
                                                  {7, " Risposte errate", twips(1935), twips(1965)},
                                                  {8, "Tempo parziale", twips(2880), twips(2910)},
                                                  {9, "Tempo totale", twips(3825), twips(3870)}}};

} // namespace

QString numberWord(int n)
{
    static const std::array<const char*, kDiscs + 1> kWords{
        "",       "uno",         "due",      "tre",        "quattro", "cinque",  "sei",         "sette",
        "otto",   "nove",        "dieci",    "undici",     "dodici",  "tredici", "quattordici", "quindici",
        "sedici", "diciassette", "diciotto", "diciannove", "venti"};
    return n >= 1 && n <= kDiscs ? QString::fromLatin1(kWords[static_cast<std::size_t>(n)])
                                 : QString::number(n);
}

ExerciseWindow::ExerciseWindow(const ExerciseServices& services, ExerciseDesign design)
    : ui::Form(services.runtime, design.name, kDesignInner), settings_(services.settings),
      figures_(services.figures), design_(std::move(design))
{
}

void ExerciseWindow::createControls()
{
    setCaption(design_.caption);
    setBackColor(colours::kPink);
    setIcon(pictures::programIcon());
    QWidget* window = client();

    const auto title = [&](const QString& name, const ExerciseDesign::Title& t) {
        auto* label = add<ui::Label>(window, name);
        label->Move(t.rect);
        label->setCaption(t.caption);
        label->setBackColor(t.back);
        label->setForeColor(colours::kRed);
        label->setFont(fonts::timesNewRoman(21.75, true));
        return label;
    };
    // The difficulty line lies in front: where the two lines overlap, its text stays whole.
    Label21 = title(QStringLiteral("Label21"), design_.label21);
    LabelOb = title(QStringLiteral("LabelOb"), design_.labelOb);

    createPictureBoard();
    createNumberLine();
    createGrid();
    createButtons();
    createPanel();
}

void ExerciseWindow::createPictureBoard()
{
    FraSfondoS = add<ui::Frame>(client(), QStringLiteral("FraSfondoS"));
    FraSfondoS->Move(design_.fraSfondoS);
    FraSfondoS->setBackColor(colours::kPink);
    FraSfondoS->setBordered(false);
    // The pictures lie above the board.
    for (const auto& slot : design_.pictureSlots) {
        auto* image = add<ui::Image>(FraSfondoS, QStringLiteral("Image2"), slot.index);
        image->Move(slot.left, slot.top, twips(750), twips(750));
        Image2.add(slot.index, image);
    }
    Shape2 = add<ui::Shape>(FraSfondoS, QStringLiteral("Shape2"));
    Shape2->Move(design_.shape2);
    Shape2->setShape(ui::ShapeKind::RoundedRectangle);
    Shape2->setFillColor(colours::kWhite);
    Shape2->setBorderColor(colours::kRed);
    Shape2->setBorderWidth(5);
}

void ExerciseWindow::createNumberLine()
{
    Frame4 = add<ui::Frame>(client(), QStringLiteral("Frame4"));
    Frame4->Move(design_.frame4);
    Frame4->setBackColor(colours::kLightYellow);
    Frame4->setBordered(true);
    const auto discs = [&] {
        for (int k = 1; k <= kDiscs; ++k) {
            auto* disc = add<ui::Shape>(Frame4, QStringLiteral("Shape1"), k);
            disc->Move(twips(kDiscLeft[static_cast<std::size_t>(k)]), twips(k == kDiscs ? 165 : 180),
                       twips(495), twips(495));
            disc->setShape(ui::ShapeKind::Circle);
            disc->setFillColor(colours::kRed);
            disc->setBorderWidth(0);
            Shape1.add(k, disc);
        }
    };
    const auto line = [&] {
        Label22 = add<ui::Label>(Frame4, QStringLiteral("Label22"));
        Label22->Move(twips(225, 405, 10980, 45));
        Label22->setBackColor(colours::kBlack);
        Label22->setForeColor(colours::kBlack);
        for (int i = 0; i < 5; ++i) {
            auto* tick = add<ui::Label>(Frame4, QStringLiteral("Label23"), i);
            tick->Move(twips(kTickLeft[static_cast<std::size_t>(i)]),
                       twips(kTickTop[static_cast<std::size_t>(i)]), twips(60), twips(390));
            tick->setBackColor(colours::kBlack);
            tick->setForeColor(colours::kBlack);
            Label23.add(i, tick);
        }
    };
    // Defined front to back.
    if (design_.discsAboveLine) {
        discs();
        line();
    } else {
        line();
        discs();
    }
}

void ExerciseWindow::createGrid()
{
    Frame1 = add<ui::Frame>(client(), QStringLiteral("Frame1"));
    Frame1->Move(design_.frame1);
    Frame1->setBackColor(design_.frame1Back);
    Frame1->setBordered(design_.frame1Bordered);
    for (int n = 1; n <= kColumns; ++n) {
        for (int i = 1; i <= n; ++i) {
            auto* cell = add<ui::Label>(Frame1, QStringLiteral("Label%1").arg(n), i);
            const CellPlace at = cellPlace(n, i);
            cell->Move(kFirstStackLeft[static_cast<std::size_t>(n)] + kCellPitch * at.stack,
                       kGridTop + kCellPitch * at.row, kCellSize, kCellSize);
            cell->setBackColor(cellColour(n, i));
            cell->setBordered(true);
            LabelN[static_cast<std::size_t>(n)].add(i, cell);
        }
    }
}

void ExerciseWindow::createButtons()
{
    const auto button = [&](const QString& name, const QString& caption, const ExerciseDesign::Button& b) {
        auto* cmd = add<ui::CommandButton>(client(), name);
        cmd->Move(b.rect);
        cmd->setCaption(caption);
        cmd->setStyle(design_.buttonStyle);
        if (design_.buttonStyle == ui::ButtonStyle::Graphical)
            cmd->setBackColor(colours::kPeach);
        cmd->setFont(fonts::msSansSerif(b.points, true));
        cmd->setTabIndex(b.tabIndex);
        return cmd;
    };
    CmdRicomincia = button(QStringLiteral("CmdRicomincia"), QStringLiteral("RICOMINCIA"), design_.ricomincia);
    CmdContaElementi = button(QStringLiteral("CmdContaElementi"), QStringLiteral("CONTA"), design_.conta);
    CmdOperazione = button(QStringLiteral("CmdOperazione"), QStringLiteral("AVANTI"), design_.operazione);
    CmdVerifica = button(QStringLiteral("CmdVerifica"), QStringLiteral("VERIFICA"), design_.verifica);
    CmdRicomincia->setAccessibleDescription(QStringLiteral("Conta di nuovo da capo"));
    CmdContaElementi->setAccessibleDescription(QStringLiteral("Conta una figura in più"));
    CmdOperazione->setAccessibleDescription(QStringLiteral("Passa all'esercizio successivo"));
    CmdVerifica->setAccessibleDescription(QStringLiteral("Controlla la risposta"));
    CmdRicomincia->Click = [this] { CmdRicomincia_Click(); };
    CmdContaElementi->Click = [this] { CmdContaElementi_Click(); };
    CmdOperazione->Click = [this] { CmdOperazione_Click(); };
    CmdVerifica->Click = [this] { CmdVerifica_Click(); };
}

std::vector<ui::ScanItem> ExerciseWindow::scanItems() const
{
    if (!isLoaded())
        return {};
    std::vector<ui::ScanItem> items;
    for (ui::CommandButton* button : {CmdRicomincia, CmdContaElementi, CmdOperazione, CmdVerifica})
        items.push_back({button, button->Caption().toLower()});
    return items;
}

void ExerciseWindow::createPanel()
{
    LblEsito = add<ui::Label>(client(), QStringLiteral("LblEsito"));
    LblEsito->Move(twips(195, 6585, 6705, 1320));
    LblEsito->setBackColor(colours::kPink);
    LblEsito->setForeColor(colours::kDarkBlue);
    LblEsito->setFont(fonts::arial(72, false));

    frmElaborazione = add<ui::Frame>(client(), QStringLiteral("frmElaborazione"));
    frmElaborazione->Move(twips(7020, 6510, 4890, 1695));
    frmElaborazione->setBackColor(colours::kPink);
    frmElaborazione->setBordered(true);
    frmElaborazione->setFont(fonts::arial(8.25, false));
    for (const StatColumn& column : kStatColumns) {
        auto* caption = add<ui::Label>(frmElaborazione, QStringLiteral("Label5"), column.caption);
        caption->Move(column.captionLeft, twips(300), twips(930), twips(555));
        caption->setCaption(QString::fromUtf8(column.text));
        caption->setTransparent(true);
        caption->setForeColor(colours::kDarkRed);
        caption->setFont(fonts::arial(8.25, true));
        caption->setAlignment(ui::Alignment::Center);
        LabelN[5].add(column.caption, caption);
    }
    const auto value = [&](const QString& name, ui::Twips left, const char* heading) {
        auto* label = add<ui::Label>(frmElaborazione, name);
        label->setAccessibleDescription(QString::fromUtf8(heading).trimmed());
        label->Move(left, twips(960), twips(810), twips(480));
        label->setTransparent(true);
        label->setForeColor(colours::kBlue);
        label->setFont(fonts::arial(14.25, true));
        label->setAlignment(ui::Alignment::Center);
        return label;
    };
    LblOperazione = value(QStringLiteral("LblOperazione"), kStatColumns[0].valueLeft, "Esercizio numero");
    lblRisEsatte = value(QStringLiteral("lblRisEsatte"), kStatColumns[1].valueLeft, kStatColumns[1].text);
    lblRisErrate = value(QStringLiteral("lblRisErrate"), kStatColumns[2].valueLeft, kStatColumns[2].text);
    LblTempoParziale =
        value(QStringLiteral("LblTempoParziale"), kStatColumns[3].valueLeft, "Secondi dell'ultima risposta");
    LblTempoTotale =
        value(QStringLiteral("LblTempoTotale"), kStatColumns[4].valueLeft, "Secondi di tutte le risposte");
    LblEsito->setAccessibleDescription(QStringLiteral("Esito della risposta"));
    LblTempoParziale->setToolTipText(QStringLiteral("Secondi impiegati per ogni risposta"));
    LblTempoTotale->setToolTipText(QStringLiteral("Secondi impiegati per ogni esercizio"));
    lblRisErrate->setToolTipText(QStringLiteral("Risposte sbagliate"));
}

void ExerciseWindow::forgetControls()
{
    LabelOb = Label21 = Label22 = nullptr;
    FraSfondoS = Frame4 = Frame1 = frmElaborazione = nullptr;
    Shape2 = nullptr;
    Image2.clear();
    Label23.clear();
    Shape1.clear();
    for (auto& column : LabelN)
        column.clear();
    CmdRicomincia = CmdContaElementi = CmdOperazione = CmdVerifica = nullptr;
    LblEsito = LblOperazione = lblRisEsatte = lblRisErrate = LblTempoParziale = LblTempoTotale = nullptr;
}

// Life cycle ------------------------------------------------------------------------------------

void ExerciseWindow::Form_Load()
{
    RilevaProporzioni();
    // Without a level in force the line keeps the caption it was defined with.
    if (const QString caption = levels::levelCaption(settings_.ValoreMassimo); !caption.isEmpty())
        Label21->setCaption(caption);
    NumeroOperazione = 1;
    LblOperazione->setCaption(QString::number(NumeroOperazione));
    showPhase(Phase::ReadyToCount);
    NascondiGriglia();
    primoCompito();
    CmdContaElementi->SetFocus();
}

void ExerciseWindow::CmdOperazione_Click()
{
    NascondiGriglia();
    LblEsito->setCaption(QString());
    svuotaPosti();
    showPhase(Phase::ReadyToCount);
    Conteggio = 0;
    PreparaOperazione();
    // The next press is a count: the keyboard goes there, as "AVANTI" has just gone away.
    CmdContaElementi->SetFocus();
}

void ExerciseWindow::CmdRicomincia_Click()
{
    ricomincia();
    CmdContaElementi->SetFocus();
}

void ExerciseWindow::CmdContaElementi_Click()
{
    showPhase(Phase::Counting);
    ++Conteggio;
    if (Conteggio > kDiscs) {
        // The count starts again at 1 on a cleared line.
        NascondiSegni();
        NascondiGriglia();
        Conteggio = 1;
    }
    mostraConteggio();
    runtime().voice().say(numberWord(Conteggio));
}

void ExerciseWindow::CmdVerifica_Click()
{
    showPhase(Phase::Judged);
    CmdOperazione->SetFocus();
    const bool esatto = Conteggio == NumeroElementi;
    registraEsito(esatto);
    registraTempo();
    runtime().voice().say(esatto ? QStringLiteral("esatto") : QStringLiteral("errato"));
}

void ExerciseWindow::showPhase(Phase phase)
{
    CmdVerifica->setVisible(phase == Phase::Counting);
    CmdRicomincia->setVisible(phase == Phase::Counting);
    CmdContaElementi->setVisible(phase != Phase::Judged);
    CmdOperazione->setVisible(phase == Phase::Judged);
}

// Number line and grid --------------------------------------------------------------------------

void ExerciseWindow::NascondiSegni()
{
    for (int k = 1; k <= kDiscs; ++k)
        Shape1(k).setVisible(false);
    Conteggio = 0;
}

void ExerciseWindow::NascondiGriglia()
{
    for (int n = 1; n <= kColumns; ++n) {
        for (int i = 1; i <= n; ++i)
            LabelN[static_cast<std::size_t>(n)](i).setVisible(false);
    }
}

void ExerciseWindow::mostraColonna(int n)
{
    if (n < 1 || n > kColumns)
        return;
    for (int i = 1; i <= n; ++i)
        LabelN[static_cast<std::size_t>(n)](i).setVisible(true);
}

// Panel -----------------------------------------------------------------------------------------

void ExerciseWindow::registraEsito(bool esatto)
{
    if (esatto) {
        RisposteEsatte.increment();
        lblRisEsatte->setCaption(QString::number(RisposteEsatte.value()));
        LblEsito->setCaption(QStringLiteral("ESATTO"));
    } else {
        LblEsito->setCaption(QStringLiteral("ERRATO"));
        RisposteErrate.increment();
        lblRisErrate->setCaption(QString::number(RisposteErrate.value()));
    }
}

void ExerciseWindow::registraTempo()
{
    TempoFine = runtime().clock().monotonicSeconds();
    SecondiParziali = wholeSeconds(TempoInizio, TempoFine);
    SecondiTotali += SecondiParziali;
    LblTempoParziale->setCaption(partialCaption(SecondiParziali));
    LblTempoTotale->setCaption(totalCaption(SecondiTotali));
}

} // namespace exercise
