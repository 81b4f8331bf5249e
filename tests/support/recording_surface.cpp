#include "recording_surface.h"

namespace kalvira::testing {

std::ostream &operator<<(std::ostream &out, const SurfaceCall &c) {
    return out << "{kind " << static_cast<int>(c.kind) << ": " << c.x1 << ", " << c.y1 << ", "
               << c.x2 << ", " << c.y2 << ", colour " << std::hex << c.colour << std::dec << " "
               << c.text << "}";
}

std::vector<SurfaceCall> RecordingSurface::of(display::Colour colour,
                                              std::optional<Kind> kind) const {
    std::vector<SurfaceCall> found;
    for (const SurfaceCall &c : calls) {
        if (c.colour == colour && (!kind || c.kind == *kind)) found.push_back(c);
    }
    return found;
}

}  // namespace kalvira::testing
