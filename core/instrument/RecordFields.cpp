#include "core/instrument/RecordFields.h"

namespace halcyx {

namespace {

const TavrinConfigData* tavrinRecord(const InstrumentSettings& settings, ProductCode product) {
    switch (product) {
    case ProductCode::TavrinCT:
        return &settings.ct;
    case ProductCode::TavrinP:
        return &settings.p;
    default:
        return nullptr;
    }
}

} // namespace

std::span<std::uint16_t> primaryFlags(InstrumentSettings& settings, ProductCode product) {
    switch (product) {
    case ProductCode::Vexa2:
    case ProductCode::Vexa3:
        return settings.vexa.channel;
    case ProductCode::TavrinCT:
        return settings.ct.channel;
    case ProductCode::TavrinP:
        return settings.p.channel;
    case ProductCode::None:
        break;
    }
    return {};
}

std::span<std::uint16_t> dcFlags(InstrumentSettings& settings, ProductCode product) {
    return std::span(settings.vexa.dcChannel)
        .first(static_cast<std::size_t>(modelTraits(product).dcChannels));
}

void setInAll(InstrumentSettings& settings, SharedText field, std::string_view value) {
    settings.vexa.*field.vexa = value;
    settings.ct.*field.tavrin = value;
    settings.p.*field.tavrin = value;
}

void setInAll(InstrumentSettings& settings, SharedFlag field, bool value) {
    settings.vexa.*field.vexa = value ? 1 : 0;
    settings.ct.*field.tavrin = value ? 1 : 0;
    settings.p.*field.tavrin = value ? 1 : 0;
}

void setAverageInAll(InstrumentSettings& settings, std::string_view value) {
    settings.vexa.averageLength = value;
    settings.ct.averageTime = value;
    settings.p.averageTime = value;
}

std::string_view textOf(const InstrumentSettings& settings, ProductCode product, SharedText field) {
    if (const TavrinConfigData* tavrin = tavrinRecord(settings, product))
        return (tavrin->*field.tavrin).view();
    return (settings.vexa.*field.vexa).view();
}

bool flagOf(const InstrumentSettings& settings, ProductCode product, SharedFlag field) {
    if (const TavrinConfigData* tavrin = tavrinRecord(settings, product))
        return tavrin->*field.tavrin != 0;
    return settings.vexa.*field.vexa != 0;
}

std::string_view averageOf(const InstrumentSettings& settings, ProductCode product) {
    if (const TavrinConfigData* tavrin = tavrinRecord(settings, product))
        return tavrin->averageTime.view();
    return settings.vexa.averageLength.view();
}

} // namespace halcyx
