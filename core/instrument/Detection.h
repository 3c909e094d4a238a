#pragma once

#include "core/base/Product.h"

#include <string>

namespace halcyx {

class CommandLayer;
class ProductChooser;
struct InstrumentRecord;

// What the configuration window does after "Check Instrument".
enum class CheckOutcome {
    Declined,          // the operator kept a deployed instrument deployed
    Found,             // the record describes the instrument; refresh menu and panel
    NotFound,          // nothing answered and the operator wants no other port
    ChooseAnotherPort, // run the port setup dialog, then check again
};

// Finds the instrument on the configuration port, brings it into open mode and fills the
// instrument record from its serial number, address, firmware and calibration date.
class Detector {
public:
    Detector(CommandLayer& layer, InstrumentRecord& record, ProductChooser& chooser);

    // The "Check Instrument" command.
    CheckOutcome CheckInstrument();
    // True when an instrument was found; fills the record field by field.
    bool Detect();
    // True when an instrument in address mode answered a probe and was brought out of it.
    bool CheckAddressMode();

private:
    bool findInOpenMode();
    // Sends the address probes; true when one was answered.
    bool probeAddresses();
    void identify(const std::string& serialNumber);
    void readAddress();
    void readFirmware();

    CommandLayer& layer_;
    InstrumentRecord& record_;
    ProductChooser& chooser_;
    // The product dialog keeps the last choice between uses.
    ProductCode lastChoice_ = ProductCode::None;
};

} // namespace halcyx
