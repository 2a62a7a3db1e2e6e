#include "charts/grid.hpp"

#include <optional>

#include "charts/ArgumentChecks.hpp"
#include "platform/base/LowerCase.hpp"
#include "platform/base/RuntimeError.hpp"

namespace ambiscan::charts {

namespace {

using graphics::Graphics;
using graphics::Handle;

constexpr const char* kNotAxes = "First argument must be an axes handle.";
constexpr const char* kUnknownOption = "Unknown command option.";
constexpr const char* kGridProperties[] = {"XGrid", "YGrid", "ZGrid"};

// The option: nullopt toggles, otherwise the lower-case text. A number 0 toggles as well; any
// other value is no option.
std::optional<std::string> optionOf(const Value& v) {
    if (isText(v)) {
        const std::string text = lowerCase(std::get<std::string>(v));
        if (text.empty()) {
            throw RuntimeError(kUnknownOption);
        }
        return text;
    }
    if (isNumeric(v) && std::get<Matrix>(v).isScalar() && std::get<Matrix>(v)[0] == 0) {
        return std::nullopt;
    }
    throw RuntimeError(kUnknownOption);
}

Handle axesOf(const Graphics& graphics, const Value& v) {
    const std::size_t count = elementCount(v);
    if (count > 1) {
        throw RuntimeError("Axes handle must be a scalar");
    }
    if (!isNumeric(v)) {
        throw RuntimeError(kNotAxes);
    }
    const Handle h = std::get<Matrix>(v)[0];
    // A legend reports type "axes" but has no grid of its own.
    if (!graphics.ishandle(h) || graphics.object(h).type() != graphics::ObjectType::Axes) {
        throw RuntimeError(kNotAxes);
    }
    return h;
}

}  // namespace

void grid(Graphics& graphics, const std::vector<Value>& args) {
    const std::string countMsg = argumentCountMessage(0, 2, args.size());
    if (!countMsg.empty()) {
        throw RuntimeError(countMsg);
    }
    Handle ax = 0;
    std::optional<std::string> option;  // nullopt: toggle
    if (args.empty()) {
        ax = graphics.gca();
    } else if (isEmptyValue(args[0])) {
        throw RuntimeError(kUnknownOption);
    } else if (isText(args[0])) {
        if (args.size() == 2) {
            throw RuntimeError(kNotAxes);
        }
        option = optionOf(args[0]);
        ax = graphics.gca();
    } else {
        ax = axesOf(graphics, args[0]);
        if (args.size() == 2) {
            option = optionOf(args[1]);
        }
    }

    if (!option) {
        // Each grid flips on its own.
        for (const char* name : kGridProperties) {
            const bool off = std::get<std::string>(graphics.get(ax, name)) == "off";
            graphics.set(ax, name, Value{std::string(off ? "on" : "off")});
        }
        return;
    }
    if (*option != "on" && *option != "off") {
        throw RuntimeError(kUnknownOption);
    }
    for (const char* name : kGridProperties) {
        graphics.set(ax, name, Value{*option});
    }
}

}  // namespace ambiscan::charts
