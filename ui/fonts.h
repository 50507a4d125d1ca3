#pragma once

namespace ui {

// The windows ask for the classic desktop faces; map them to the metric-compatible free faces
// so text keeps its stated size and weight.
void installFontSubstitutions();

} // namespace ui
