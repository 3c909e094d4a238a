#include "gui/printing/ModulePrinting.h"

#include "core/base/Commands.h"
#include "gui/module/ModAcqWnd.h"
#include "gui/module/ModGraph.h"
#include "gui/printing/PrintCommands.h"
#include "gui/printing/WindowPrinter.h"

namespace halcyx {

void installModulePrinting(ModAcqWnd& window, Operator& op) {
    // The hooks share the printer, which lives as long as the last of them.
    auto printer = std::make_shared<WindowPrinter>(op, &window);
    const auto graphCommand = [&window, &op, printer](bool preview) {
        return [&window, &op, printer, preview] {
            ModuleSession* session = window.session();
            if (!session)
                return;
            auto graph = std::make_unique<ModGraphPainter>(window.graph().painter());
            if (preview)
                previewModGraph(*printer, op, std::move(graph), session->info());
            else
                printModGraph(*printer, op, std::move(graph), session->info());
        };
    };
    window.setCommandHook(cmd::kPrint, graphCommand(false));
    window.setCommandHook(cmd::kPrintPreview, graphCommand(true));
    window.setCommandHook(cmd::kPrinterSetup, [printer] { printer->setup(); });
}

} // namespace halcyx
