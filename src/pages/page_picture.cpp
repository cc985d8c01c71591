#include "pages/page_picture.h"

namespace pages {

// Not built yet.
void DrawPagePicture(gfx::Canvas&, const PrintState&, const PictureRequest&) {}

} // namespace pages
