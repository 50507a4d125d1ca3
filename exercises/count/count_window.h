#pragma once

#include "exercises/count/count_task.h"
#include "windows/exercise/exercise_window.h"

namespace count {

// The count-on-the-line exercise (frmOperativo1): the child counts the figures shown, one press
// of "CONTA" per figure, each press lighting one more disc and showing that column of squares.
class FrmOperativo1 : public exercise::ExerciseWindow
{
    Q_OBJECT
public:
    explicit FrmOperativo1(app::WindowSet& windows);

    std::array<int, kSlots> Posizioni{};

protected:
    void PreparaOperazione() override;
    void mostraConteggio() override;
    void primoCompito() override;
    void svuotaPosti() override;
    void ricomincia() override;
    void Form_Unload() override;
};

} // namespace count
