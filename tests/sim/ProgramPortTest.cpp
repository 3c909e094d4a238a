// The program's own CommPort over the simulated instrument: checked commands are accepted,
// and a refusal reaches the operator in the program's words.

#include "ScriptedOperator.h"
#include "SimDevice.h"
#include "VexaModel.h"
#include "serial/CommPort.h"

#include <gtest/gtest.h>

namespace halcyx::sim {
namespace {

struct ProgramPort {
    explicit ProgramPort(Instrument::Config config)
        : vexa(VexaModel::Generation::Vexa3, std::move(config)), device(clock, vexa),
          port(device, clock, op, [](int) { return std::string("/dev/sim"); }) {
        port.Setup(1, 1024, 1024);
        port.SetBaud(9600);
        port.SetHandshake(CommPort::kHandshakeNone);
    }
    VirtualClock clock;
    test::ScriptedOperator op;
    VexaModel vexa;
    SimDevice device;
    CommPort port;
};

TEST(ProgramPort, CheckedCommandsAreAcceptedOrRefusedInTheProgramsWords) {
    Instrument::Config config = VexaModel::factoryConfig(VexaModel::Generation::Vexa3);
    config.faults.refused = {"CH3"};
    ProgramPort p(config);

    EXPECT_TRUE(p.port.SendCommand("CH4=ON"));
    EXPECT_EQ(p.port.LastAnswer(), "CH4=ON\r\nCH4 = on\r\n");
    EXPECT_TRUE(p.port.SendCommand("ST=1"));
    EXPECT_TRUE(p.port.SendCommand("***E"));
    EXPECT_TRUE(p.vexa.storedSettings().channels[3]);
    EXPECT_EQ(p.vexa.storedSettings().tau, 1);

    p.op.expectMessage("Error using Command = CH3=ON\r\nBAD COMMAND\r\n", "Command Error",
                       Icon::Stop);
    EXPECT_FALSE(p.port.SendCommand("CH3=ON"));
    EXPECT_TRUE(p.op.done());
}

} // namespace
} // namespace halcyx::sim
