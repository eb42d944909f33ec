#include "app/software_action.h"

#include "base/hook_state.h"
#include "base/text.h"
#include "catalogue/function_catalogue.h"

namespace tarn {

int ButtonOfReportCode(uint32_t code) {
    // The left button is included: the apply swallows its presses when it carries an action,
    // so without it the clicks would vanish and nothing would run.
    for (int button = 0; button < kButtonCount; ++button) {
        if (code != 0 && ButtonReportCodes[button] == code) return button;
    }
    return -1;
}

namespace {

std::u16string QuotedWhenSpaced(std::u16string path) {
    if (path.find(u' ') == std::u16string::npos) return path;
    if (path.size() >= 2 && path.front() == u'"' && path.back() == u'"') return path;
    return u"\"" + path + u"\"";
}

}  // namespace

std::optional<SoftwareAction> ActionOfAssignment(const ButtonAssignment& button) {
    if (button.functionType != kFunctionSoftware) return std::nullopt;
    std::u16string path = FromFixed(button.actionPath);
    if (path.empty()) return std::nullopt;
    switch (button.actionKind) {
        case kActionSound:
            return SoftwareAction{SoftwareAction::Kind::Sound, std::move(path)};
        case kActionProgram:
            return SoftwareAction{SoftwareAction::Kind::Open, std::move(path)};
        case kActionFile:
        case kActionFolder:
            return SoftwareAction{SoftwareAction::Kind::Open, QuotedWhenSpaced(std::move(path))};
        default:
            return std::nullopt;
    }
}

std::optional<SoftwareAction> ActionForReport(const ProfileRecord& profile, uint32_t code) {
    const int button = ButtonOfReportCode(code);
    if (button < 0) return std::nullopt;
    return ActionOfAssignment(profile.buttons[button]);
}

}  // namespace tarn
