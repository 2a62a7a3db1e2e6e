#include "charts/annotate.hpp"

#include "platform/base/RuntimeError.hpp"

namespace ambiscan::charts {

namespace {

using graphics::Graphics;
using graphics::Handle;

// Writes the text into one of the axes' own text objects with the axes' font; the caller's
// name/value pairs come last so that they override what was copied.
Handle annotate(Graphics& graphics, const std::vector<Value>& args, const char* which,
                bool resetRotation) {
    const Handle ax = graphics.gca();
    const Handle h = std::get<Matrix>(graphics.get(ax, which))[0];
    if (args.size() > 1 && (args.size() - 1) % 2 != 0) {
        throw RuntimeError("Incorrect number of input arguments");
    }
    if (args.empty()) {
        throw RuntimeError("Not enough input arguments.");
    }
    graphics::PropertyList props{{"FontAngle", graphics.get(ax, "FontAngle")},
                                 {"FontName", graphics.get(ax, "FontName")},
                                 {"FontSize", graphics.get(ax, "FontSize")},
                                 {"FontWeight", graphics.get(ax, "FontWeight")}};
    if (resetRotation) {
        props.emplace_back("Rotation", Value{Matrix::scalar(0)});
    }
    props.emplace_back("string", args[0]);
    for (std::size_t k = 1; k + 1 < args.size(); k += 2) {
        if (!isText(args[k])) {
            throw RuntimeError("Property names must be texts.");
        }
        props.emplace_back(std::get<std::string>(args[k]), args[k + 1]);
    }
    graphics.set(h, props);
    return h;
}

}  // namespace

Handle title(Graphics& graphics, const std::vector<Value>& args) {
    return annotate(graphics, args, "title", true);
}

Handle xlabel(Graphics& graphics, const std::vector<Value>& args) {
    return annotate(graphics, args, "xlabel", false);
}

Handle ylabel(Graphics& graphics, const std::vector<Value>& args) {
    return annotate(graphics, args, "ylabel", false);
}

Handle title(Graphics& graphics, const std::string& text) {
    return title(graphics, {Value{text}});
}

Handle xlabel(Graphics& graphics, const std::string& text) {
    return xlabel(graphics, {Value{text}});
}

Handle ylabel(Graphics& graphics, const std::string& text) {
    return ylabel(graphics, {Value{text}});
}

}  // namespace ambiscan::charts
