#include "pages/page_routines.h"

namespace pages {

// Not built yet: says so instead of drawing.
void DrawDailyPages(gfx::Canvas& canvas, PrintState& state) {
    (void)canvas;
    if (state.reporter) state.reporter->ShowMessage("この書式はまだ印刷できません", "Qelmarin");
}

} // namespace pages
