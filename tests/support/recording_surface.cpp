#include "recording_surface.h"

namespace kalvira::testing {

std::vector<SurfaceCall> RecordingSurface::of(Colour colour, std::optional<Kind> kind) const {
    std::vector<SurfaceCall> found;
    for (const SurfaceCall &c : calls)
        if (c.colour == colour && (!kind || c.kind == *kind)) found.push_back(c);
    return found;
}

}  // namespace kalvira::testing
