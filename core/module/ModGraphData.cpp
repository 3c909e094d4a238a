#include "core/module/ModGraphData.h"

#include "core/graphs/Autozoom.h"
#include "core/module/ModuleType.h"

namespace halcyx {

namespace {

// Reads the run of a ring, newest first, into one field of the samples.
template <typename T, typename Field>
void readRun(const RingBuf<T>& ring, VisibleRun run, std::vector<ModSample>& samples, Field field) {
    for (std::size_t i = 0; i < samples.size(); ++i)
        samples[i].*field =
            ring.back(static_cast<std::uint32_t>(static_cast<std::size_t>(run.skip) + i));
}

} // namespace

ModGraphData::ModGraphData()
    : title_(moduleTraits(ModuleType::Conductivity).title),
      caption_(moduleTraits(ModuleType::Conductivity).caption) {}

void ModGraphData::setTitle(const std::string& title) {
    title_ = title.substr(0, kMaxTitleChars);
}

void ModGraphData::setViewWidth(int samples) {
    view_.setViewWidth(samples);
    view_.keepWithinHeld();
}

void ModGraphData::scroll(StripView::Scroll action, int thumbPosition) {
    view_.scroll(action, thumbPosition);
    view_.keepWithinHeld();
}

void ModGraphData::addValue(float value) {
    values_.Put(value);
    view_.countSample();
}

void ModGraphData::addPosition(double latitude, char latHemisphere, double longitude,
                               char lonHemisphere) {
    positions_.put(latitude, latHemisphere, longitude, lonHemisphere);
}

void ModGraphData::reset() {
    values_.Reset();
    positions_.reset();
    view_.reset();
}

std::vector<ModSample> ModGraphData::visibleSamples() const {
    const VisibleRun run = view_.visible(values_.count());
    std::vector<ModSample> samples(static_cast<std::size_t>(run.count));
    readRun(values_, run, samples, &ModSample::value);
    // Positions come with the values; a graph fed values only shows them unknown.
    if (positions_.count() == values_.count()) {
        readRun(positions_.latitudes(), run, samples, &ModSample::latitude);
        readRun(positions_.longitudes(), run, samples, &ModSample::longitude);
        readRun(positions_.latHemispheres(), run, samples, &ModSample::latHemisphere);
        readRun(positions_.lonHemispheres(), run, samples, &ModSample::lonHemisphere);
    }
    return samples;
}

std::optional<AxisRange> ModGraphData::autozoomRange() const {
    ValueExtent extent;
    for (const ModSample& sample : visibleSamples())
        extent.add(sample.value);
    return ModuleAutozoom(extent);
}

} // namespace halcyx
