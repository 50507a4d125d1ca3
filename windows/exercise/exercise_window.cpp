#include "windows/exercise/exercise_window.h"

#include "app/window_set.h"
#include "pictures/picture_store.h"
#include "ui/fonts.h"
#include "ui/runtime.h"
#include "ui/services.h"
#include "ui/twips.h"

#include <utility>

namespace exercise {

using ui::twips;

namespace {

constexpr QSizeF kDesignInner(11910, 8640);
const ui::Colour kWindowPink = ui::Colour::hex(0xFFC0FF);
const ui::Colour kLightYellow = ui::Colour::hex(0xFFFFC0);
const ui::Colour kBlack = ui::Colour::hex(0x000000);

constexpr std::array<ui::Twips, 21> kDiscLeft{
    twips(0),    twips(45),   twips(525),  twips(1005), twips(1485), twips(1950), twips(2415),
    twips(2880), twips(3360), twips(3825), twips(4290), twips(4770), twips(5235), twips(5715),
    twips(6195), twips(6675), twips(7155), twips(7620), twips(8085), twips(8565), twips(9060)};
constexpr std::array<ui::Twips, 5> kTickLeft{twips(225), twips(2145), twips(4485), twips(6885), twips(9270)};
constexpr std::array<ui::Twips, 5> kTickTop{twips(450), twips(450), twips(435), twips(420), twips(435)};

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

ExerciseWindow::ExerciseWindow(app::WindowSet& windows, ExerciseDesign design)
    : ui::Form(windows.runtime(), design.name, kDesignInner), windows_(windows), design_(std::move(design))
{
}

void ExerciseWindow::createControls()
{
    setCaption(design_.caption);
    setBackColor(kWindowPink);
    setIcon(pictures::programIcon());
    QWidget* window = client();

    const auto title = [&](const QString& name, const ExerciseDesign::Title& t) {
        auto* label = add<ui::Label>(window, name);
        label->Move(t.rect);
        label->setCaption(t.caption);
        label->setBackColor(t.back);
        label->setForeColor(ui::Colour::hex(0xFF0000));
        label->setFont(ui::designFont(QStringLiteral("Times New Roman"), 21.75, true));
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
    FraSfondoS->setBackColor(kWindowPink);
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
    Shape2->setFillColor(ui::Colour::windowBackground());
    Shape2->setBorderColor(ui::Colour::hex(0xFF0000));
    Shape2->setBorderWidth(5);
}

void ExerciseWindow::createNumberLine()
{
    Frame4 = add<ui::Frame>(client(), QStringLiteral("Frame4"));
    Frame4->Move(design_.frame4);
    Frame4->setBackColor(kLightYellow);
    Frame4->setBordered(true);
    const auto discs = [&] {
        for (int k = 1; k <= 20; ++k) {
            auto* disc = add<ui::Shape>(Frame4, QStringLiteral("Shape1"), k);
            disc->Move(kDiscLeft[static_cast<std::size_t>(k)], twips(k == 20 ? 165 : 180), twips(495),
                       twips(495));
            disc->setShape(ui::ShapeKind::Circle);
            disc->setFillColor(ui::Colour::hex(0xFF0000));
            disc->setBorderWidth(0);
            Shape1.add(k, disc);
        }
    };
    const auto line = [&] {
        Label22 = add<ui::Label>(Frame4, QStringLiteral("Label22"));
        Label22->Move(twips(225, 405, 10980, 45));
        Label22->setBackColor(kBlack);
        Label22->setForeColor(kBlack);
        for (int i = 0; i < 5; ++i) {
            auto* tick = add<ui::Label>(Frame4, QStringLiteral("Label23"), i);
            tick->Move(kTickLeft[static_cast<std::size_t>(i)], kTickTop[static_cast<std::size_t>(i)],
                       twips(60), twips(390));
            tick->setBackColor(kBlack);
            tick->setForeColor(kBlack);
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
            cmd->setBackColor(ui::Colour::hex(0xFFE0C0));
        cmd->setFont(ui::designFont(QStringLiteral("MS Sans Serif"), b.points, true));
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

void ExerciseWindow::createPanel()
{
    LblEsito = add<ui::Label>(client(), QStringLiteral("LblEsito"));
    LblEsito->Move(twips(195, 6585, 6705, 1320));
    LblEsito->setBackColor(kWindowPink);
    LblEsito->setForeColor(ui::Colour::hex(0x0000C0));
    LblEsito->setFont(ui::designFont(QStringLiteral("Arial"), 72, false));

    frmElaborazione = add<ui::Frame>(client(), QStringLiteral("frmElaborazione"));
    frmElaborazione->Move(twips(7020, 6510, 4890, 1695));
    frmElaborazione->setBackColor(kWindowPink);
    frmElaborazione->setBordered(true);
    frmElaborazione->setFont(ui::designFont(QStringLiteral("Arial"), 8.25, false));
    for (const StatColumn& column : kStatColumns) {
        auto* caption = add<ui::Label>(frmElaborazione, QStringLiteral("Label5"), column.caption);
        caption->Move(column.captionLeft, twips(300), twips(930), twips(555));
        caption->setCaption(QString::fromUtf8(column.text));
        caption->setTransparent(true);
        caption->setForeColor(ui::Colour::hex(0xC00000));
        caption->setFont(ui::designFont(QStringLiteral("Arial"), 8.25, true));
        caption->setAlignment(ui::Alignment::Center);
        LabelN[5].add(column.caption, caption);
    }
    const auto value = [&](const QString& name, ui::Twips left, const char* heading) {
        auto* label = add<ui::Label>(frmElaborazione, name);
        label->setAccessibleDescription(QString::fromUtf8(heading).trimmed());
        label->Move(left, twips(960), twips(810), twips(480));
        label->setTransparent(true);
        label->setForeColor(ui::Colour::hex(0x0000FF));
        label->setFont(ui::designFont(QStringLiteral("Arial"), 14.25, true));
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
    const int massimo = windows_.settings().ValoreMassimo;
    if (massimo == 5)
        Label21->setCaption(QStringLiteral("Difficoltà: livello 1"));
    if (massimo == 10)
        Label21->setCaption(QStringLiteral("Difficoltà: livello 2"));
    if (massimo == 20)
        Label21->setCaption(QStringLiteral("Difficoltà: livello 3"));
    NumeroOperazione = 1;
    LblOperazione->setCaption(QString::number(NumeroOperazione));
    CmdVerifica->setVisible(false);
    CmdRicomincia->setVisible(false);
    CmdContaElementi->setVisible(true);
    CmdOperazione->setVisible(false);
    NascondiGriglia();
    primoCompito();
    CmdContaElementi->SetFocus();
}

void ExerciseWindow::CmdOperazione_Click()
{
    NascondiGriglia();
    LblEsito->setCaption(QString());
    svuotaPosti();
    CmdContaElementi->setVisible(true);
    CmdOperazione->setVisible(false);
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
    CmdVerifica->setVisible(true);
    CmdRicomincia->setVisible(true);
    CmdOperazione->setVisible(false);
    ++Conteggio;
    if (Conteggio > 20) {
        // The count starts again at 1 on a cleared line.
        NascondiSegni();
        NascondiGriglia();
        Conteggio = 1;
    }
    mostraConteggio();
}

void ExerciseWindow::CmdVerifica_Click()
{
    CmdRicomincia->setVisible(false);
    CmdContaElementi->setVisible(false);
    CmdVerifica->setVisible(false);
    CmdOperazione->setVisible(true);
    CmdOperazione->SetFocus();
    registraEsito(Conteggio == NumeroElementi);
    registraTempo();
}

// Number line and grid --------------------------------------------------------------------------

void ExerciseWindow::NascondiSegni()
{
    for (int k = 1; k <= 20; ++k)
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
    TestoParziale = signedText(SecondiParziali);
    SecondiTotali += SecondiParziali;
    TestoTotale = signedText(SecondiTotali);
    LblTempoParziale->setCaption(partialCaption(SecondiParziali));
    LblTempoTotale->setCaption(totalCaption(SecondiTotali));
}

} // namespace exercise
