#include "dialogs/HelpHook.h"

namespace qv {

namespace {
HelpHandler& Handler() {
    static HelpHandler handler;
    return handler;
}
}  // namespace

void SetHelpHandler(HelpHandler handler) { Handler() = std::move(handler); }

void ShowHelpTopic(const QString& topic) {
    if (Handler()) Handler()(topic);
}

}  // namespace qv
