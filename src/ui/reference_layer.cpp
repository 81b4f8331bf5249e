#include "reference_layer.h"

#include <algorithm>
#include <memory>

#include "display/drawing_surface.h"
#include "display/image_surface.h"
#include "display/plot_mapping.h"
#include "display/redraw_host.h"
#include "display/time_base.h"
#include "display/waveform_plot.h"
#include "look.h"

namespace kalvira::ui {

namespace {

// The redraw's view of a scope showing the reference as its record: the settings on screen with
// the reference's length; whatever the plot sets up (the scroll bar) goes nowhere.
class ReferenceHost final : public display::RedrawHost {
public:
    ReferenceHost(const settings::ScopeSettings &onScreen, std::span<const std::int16_t> reference)
        : settings_(onScreen), samples_(std::make_unique<SampleRecord>()) {
        const std::size_t length = std::min<std::size_t>(reference.size(), kRecordLastPosition);
        std::copy_n(reference.begin(), length, samples_->begin() + 1);
        settings_.recordLength = static_cast<int>(length);
    }
    const settings::ScopeSettings &settings() const override { return settings_; }
    bool recordShown() const override { return true; }
    const SampleRecord &samples() const override { return *samples_; }
    void setVerticalCorrection(std::int16_t) override {}
    void setTriggerLevelSamples(std::int16_t) override {}
    void setRecordBlocks(std::int16_t) override {}
    void setScrollEnabled(bool) override {}
    void setScrollPosition(std::int16_t) override {}
    void setScrollMaximum(std::int16_t) override {}
    void setScrollSmallChange(std::int16_t) override {}
    void setScrollLargeChange(std::int16_t) override {}
    void layoutControls() override {}

private:
    settings::ScopeSettings settings_;
    std::unique_ptr<SampleRecord> samples_;  // 32 kB: not on the stack
};

}  // namespace

QImage referencePlot(const settings::ScopeSettings &onScreen,
                     std::span<const std::int16_t> reference, QSize size) {
    ReferenceHost host(onScreen, reference);
    display::ImageSurface surface(kBackgroundColour, kForegroundColour, interfaceFont());
    surface.resize(size.width(), size.height());
    const float midY = surface.scaleHeight() / 2.0f;
    surface.begin();
    display::plotWaveform(host, surface, midY, display::koordinataKorrekcioFor(midY),
                          display::selectScales(host));
    surface.end();
    return surface.image();
}

QImage referenceLayer(const QImage &picture, const QImage &plot, QColor colour) {
    QImage layer(picture.size(), QImage::Format_ARGB32_Premultiplied);
    layer.fill(Qt::transparent);
    const QRgb trace = display::toQColor(display::kTraceColour).rgb();
    const QRgb background = kBackgroundColour.rgb();
    const QRgb drawn = colour.rgba();
    const int width = std::min(picture.width(), plot.width());
    const int height = std::min(picture.height(), plot.height());
    for (int y = 0; y < height; ++y) {
        const auto *shown = reinterpret_cast<const QRgb *>(picture.constScanLine(y));
        const auto *reference = reinterpret_cast<const QRgb *>(plot.constScanLine(y));
        auto *out = reinterpret_cast<QRgb *>(layer.scanLine(y));
        for (int x = 0; x < width; ++x) {
            if ((reference[x] | 0xFF000000u) == trace && (shown[x] | 0xFF000000u) == background)
                out[x] = drawn;
        }
    }
    return layer;
}

}  // namespace kalvira::ui
