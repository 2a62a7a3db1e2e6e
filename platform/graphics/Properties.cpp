#include <algorithm>
#include <span>

#include "platform/base/RuntimeError.hpp"
#include "platform/graphics/Graphics.hpp"
#include "platform/graphics/LinePoints.hpp"
#include "platform/graphics/PropertyValues.hpp"

// One table per object type from property name to its typed field; set and get by name go
// through these tables and nowhere else.
namespace ambiscan::graphics {

namespace {

using Getter = Value (*)(const Graphics&, const GraphicsObject&);
using Setter = void (*)(GraphicsObject&, const Value&, const std::string&);

struct Property {
    const char* name;
    Getter get;
    Setter set;  // null: read only
};

template <class T>
const T& of(const GraphicsObject& o) {
    return std::get<T>(o.data);
}
template <class T>
T& of(GraphicsObject& o) {
    return std::get<T>(o.data);
}

const std::vector<std::string> kFontAngles{"normal", "italic", "oblique"};
const std::vector<std::string> kFontWeights{"normal", "bold", "light", "demi"};
const std::vector<std::string> kLineStyles{"-", "--", ":", "-.", "none"};

std::string toMarker(const Value& v, const std::string& name) {
    const std::string m = lowerCase(toText(v, name));
    static const std::vector<std::pair<std::string, std::string>> kLong{
        {"circle", "o"}, {"square", "s"}, {"diamond", "d"}, {"pentagram", "p"}, {"hexagram", "h"},
        {"point", "."},  {"plus", "+"},   {"cross", "x"},   {"asterisk", "*"}};
    for (const auto& [full, letter] : kLong) {
        if (m == full)
            return letter;
    }
    if (m == "none" ||
        (m.size() == 1 && std::string("ox+*.sdv^<>ph").find(m) != std::string::npos)) {
        return m;
    }
    throw RuntimeError("Bad value for property \"" + name + "\": unknown marker \"" + m + "\".");
}

const Property kFigureProperties[] = {
    {"colormap",
     [](const Graphics&, const GraphicsObject& o) -> Value { return of<FigureObject>(o).colormap; },
     [](GraphicsObject& o, const Value& v, const std::string& n) {
         const Matrix m = toMatrix(v, n);
         if (m.cols() != 3 || m.rows() == 0) {
             throw RuntimeError("Bad value for property \"" + n +
                                "\": N rows of 3 colour fractions are needed.");
         }
         of<FigureObject>(o).colormap = m;
     }},
    {"defaultaxesxcolor",
     [](const Graphics&, const GraphicsObject& o) -> Value {
         return rgbValue(of<FigureObject>(o).defaultAxesXColor);
     },
     [](GraphicsObject& o, const Value& v, const std::string& n) {
         of<FigureObject>(o).defaultAxesXColor = toRgb(v, n);
     }},
    {"currentaxes",
     [](const Graphics&, const GraphicsObject& o) -> Value {
         return numberValue(of<FigureObject>(o).currentAxes);
     },
     nullptr},
};

// Axes -------------------------------------------------------------------------------------

Value labelsValue(const std::vector<std::string>& labels) {
    return CellRow(labels);
}

const Property kAxesProperties[] = {
    {"xlim",
     [](const Graphics& g, const GraphicsObject& o) -> Value {
         const auto l = g.resolvedX(o.handle).limits;
         return rowValue({l[0], l[1]});
     },
     [](GraphicsObject& o, const Value& v, const std::string& n) {
         auto& a = of<AxesObject>(o);
         a.xlim = toLimits(v, n);
         a.xlimAuto = false;
     }},
    {"ylim",
     [](const Graphics& g, const GraphicsObject& o) -> Value {
         const auto l = g.resolvedY(o.handle).limits;
         return rowValue({l[0], l[1]});
     },
     [](GraphicsObject& o, const Value& v, const std::string& n) {
         auto& a = of<AxesObject>(o);
         a.ylim = toLimits(v, n);
         a.ylimAuto = false;
     }},
    {"xlimmode",
     [](const Graphics&, const GraphicsObject& o) -> Value {
         return std::string(of<AxesObject>(o).xlimAuto ? "auto" : "manual");
     },
     [](GraphicsObject& o, const Value& v, const std::string& n) {
         of<AxesObject>(o).xlimAuto = toChoice(v, n, {"auto", "manual"}) == "auto";
     }},
    {"ylimmode",
     [](const Graphics&, const GraphicsObject& o) -> Value {
         return std::string(of<AxesObject>(o).ylimAuto ? "auto" : "manual");
     },
     [](GraphicsObject& o, const Value& v, const std::string& n) {
         of<AxesObject>(o).ylimAuto = toChoice(v, n, {"auto", "manual"}) == "auto";
     }},
    {"xtick",
     [](const Graphics& g, const GraphicsObject& o) -> Value {
         return rowValue(g.resolvedX(o.handle).ticks);
     },
     [](GraphicsObject& o, const Value& v, const std::string& n) {
         auto& a = of<AxesObject>(o);
         a.xtick = toVector(v, n);
         a.xtickAuto = false;
     }},
    {"ytick",
     [](const Graphics& g, const GraphicsObject& o) -> Value {
         return rowValue(g.resolvedY(o.handle).ticks);
     },
     [](GraphicsObject& o, const Value& v, const std::string& n) {
         auto& a = of<AxesObject>(o);
         a.ytick = toVector(v, n);
         a.ytickAuto = false;
     }},
    {"xtickmode",
     [](const Graphics&, const GraphicsObject& o) -> Value {
         return std::string(of<AxesObject>(o).xtickAuto ? "auto" : "manual");
     },
     [](GraphicsObject& o, const Value& v, const std::string& n) {
         of<AxesObject>(o).xtickAuto = toChoice(v, n, {"auto", "manual"}) == "auto";
     }},
    {"ytickmode",
     [](const Graphics&, const GraphicsObject& o) -> Value {
         return std::string(of<AxesObject>(o).ytickAuto ? "auto" : "manual");
     },
     [](GraphicsObject& o, const Value& v, const std::string& n) {
         of<AxesObject>(o).ytickAuto = toChoice(v, n, {"auto", "manual"}) == "auto";
     }},
    {"xticklabel",
     [](const Graphics& g, const GraphicsObject& o) -> Value {
         return labelsValue(g.resolvedX(o.handle).labels);
     },
     [](GraphicsObject& o, const Value& v, const std::string& n) {
         auto& a = of<AxesObject>(o);
         a.xtickLabel = toTexts(v, n, true);
         a.xtickLabelAuto = false;
     }},
    {"yticklabel",
     [](const Graphics& g, const GraphicsObject& o) -> Value {
         return labelsValue(g.resolvedY(o.handle).labels);
     },
     [](GraphicsObject& o, const Value& v, const std::string& n) {
         auto& a = of<AxesObject>(o);
         a.ytickLabel = toTexts(v, n, true);
         a.ytickLabelAuto = false;
     }},
    {"xticklabelmode",
     [](const Graphics&, const GraphicsObject& o) -> Value {
         return std::string(of<AxesObject>(o).xtickLabelAuto ? "auto" : "manual");
     },
     [](GraphicsObject& o, const Value& v, const std::string& n) {
         of<AxesObject>(o).xtickLabelAuto = toChoice(v, n, {"auto", "manual"}) == "auto";
     }},
    {"yticklabelmode",
     [](const Graphics&, const GraphicsObject& o) -> Value {
         return std::string(of<AxesObject>(o).ytickLabelAuto ? "auto" : "manual");
     },
     [](GraphicsObject& o, const Value& v, const std::string& n) {
         of<AxesObject>(o).ytickLabelAuto = toChoice(v, n, {"auto", "manual"}) == "auto";
     }},
    {"xgrid",
     [](const Graphics&, const GraphicsObject& o) -> Value {
         return onOffValue(of<AxesObject>(o).xgrid);
     },
     [](GraphicsObject& o, const Value& v, const std::string& n) {
         of<AxesObject>(o).xgrid = toOnOff(v, n);
     }},
    {"ygrid",
     [](const Graphics&, const GraphicsObject& o) -> Value {
         return onOffValue(of<AxesObject>(o).ygrid);
     },
     [](GraphicsObject& o, const Value& v, const std::string& n) {
         of<AxesObject>(o).ygrid = toOnOff(v, n);
     }},
    {"zgrid",
     [](const Graphics&, const GraphicsObject& o) -> Value {
         return onOffValue(of<AxesObject>(o).zgrid);
     },
     [](GraphicsObject& o, const Value& v, const std::string& n) {
         of<AxesObject>(o).zgrid = toOnOff(v, n);
     }},
    {"layer",
     [](const Graphics&, const GraphicsObject& o) -> Value { return of<AxesObject>(o).layer; },
     [](GraphicsObject& o, const Value& v, const std::string& n) {
         of<AxesObject>(o).layer = toChoice(v, n, {"bottom", "top"});
     }},
    {"box",
     [](const Graphics&, const GraphicsObject& o) -> Value {
         return onOffValue(of<AxesObject>(o).box);
     },
     [](GraphicsObject& o, const Value& v, const std::string& n) {
         of<AxesObject>(o).box = toOnOff(v, n);
     }},
    {"nextplot",
     [](const Graphics&, const GraphicsObject& o) -> Value { return of<AxesObject>(o).nextPlot; },
     [](GraphicsObject& o, const Value& v, const std::string& n) {
         of<AxesObject>(o).nextPlot = toChoice(v, n, {"replace", "add", "replacechildren"});
     }},
    {"fontname",
     [](const Graphics&, const GraphicsObject& o) -> Value { return of<AxesObject>(o).fontName; },
     [](GraphicsObject& o, const Value& v, const std::string& n) {
         of<AxesObject>(o).fontName = toText(v, n);
     }},
    {"fontsize",
     [](const Graphics&, const GraphicsObject& o) -> Value {
         return numberValue(of<AxesObject>(o).fontSize);
     },
     [](GraphicsObject& o, const Value& v, const std::string& n) {
         of<AxesObject>(o).fontSize = toNumber(v, n);
     }},
    {"fontangle",
     [](const Graphics&, const GraphicsObject& o) -> Value { return of<AxesObject>(o).fontAngle; },
     [](GraphicsObject& o, const Value& v, const std::string& n) {
         of<AxesObject>(o).fontAngle = toChoice(v, n, kFontAngles);
     }},
    {"fontweight",
     [](const Graphics&, const GraphicsObject& o) -> Value { return of<AxesObject>(o).fontWeight; },
     [](GraphicsObject& o, const Value& v, const std::string& n) {
         of<AxesObject>(o).fontWeight = toChoice(v, n, kFontWeights);
     }},
    {"clim",
     [](const Graphics& g, const GraphicsObject& o) -> Value {
         const auto l = g.resolvedClim(o.handle);
         return rowValue({l[0], l[1]});
     },
     [](GraphicsObject& o, const Value& v, const std::string& n) {
         auto& a = of<AxesObject>(o);
         a.clim = toLimits(v, n);
         a.climAuto = false;
     }},
    {"climmode",
     [](const Graphics&, const GraphicsObject& o) -> Value {
         return std::string(of<AxesObject>(o).climAuto ? "auto" : "manual");
     },
     [](GraphicsObject& o, const Value& v, const std::string& n) {
         of<AxesObject>(o).climAuto = toChoice(v, n, {"auto", "manual"}) == "auto";
     }},
    {"view",
     [](const Graphics&, const GraphicsObject& o) -> Value {
         return of<AxesObject>(o).view == 2 ? rowValue({0, 90}) : rowValue({-37.5, 30});
     },
     [](GraphicsObject& o, const Value& v, const std::string& n) {
         const Matrix m = toMatrix(v, n);
         of<AxesObject>(o).view = (m.numel() == 1 && m[0] == 3) ? 3 : 2;
     }},
    {"title",
     [](const Graphics&, const GraphicsObject& o) -> Value {
         return numberValue(of<AxesObject>(o).title);
     },
     nullptr},
    {"xlabel",
     [](const Graphics&, const GraphicsObject& o) -> Value {
         return numberValue(of<AxesObject>(o).xlabel);
     },
     nullptr},
    {"ylabel",
     [](const Graphics&, const GraphicsObject& o) -> Value {
         return numberValue(of<AxesObject>(o).ylabel);
     },
     nullptr},
};

// Lines ------------------------------------------------------------------------------------

const Property kLineProperties[] = {
    {"xdata",
     [](const Graphics&, const GraphicsObject& o) -> Value {
         return plainXData(of<LineObject>(o));
     },
     [](GraphicsObject& o, const Value& v, const std::string& n) {
         Matrix m = toMatrix(v, n).asRow();
         makePlain(of<LineObject>(o));
         of<LineObject>(o).xdata = std::move(m);
     }},
    {"ydata",
     [](const Graphics&, const GraphicsObject& o) -> Value {
         return plainYData(of<LineObject>(o));
     },
     [](GraphicsObject& o, const Value& v, const std::string& n) {
         Matrix m = toMatrix(v, n).asRow();
         makePlain(of<LineObject>(o));
         of<LineObject>(o).ydata = std::move(m);
     }},
    {"color",
     [](const Graphics&, const GraphicsObject& o) -> Value {
         return rgbValue(of<LineObject>(o).color);
     },
     [](GraphicsObject& o, const Value& v, const std::string& n) {
         of<LineObject>(o).color = toRgb(v, n);
     }},
    {"linestyle",
     [](const Graphics&, const GraphicsObject& o) -> Value { return of<LineObject>(o).lineStyle; },
     [](GraphicsObject& o, const Value& v, const std::string& n) {
         of<LineObject>(o).lineStyle = toChoice(v, n, kLineStyles);
     }},
    {"linewidth",
     [](const Graphics&, const GraphicsObject& o) -> Value {
         return numberValue(of<LineObject>(o).lineWidth);
     },
     [](GraphicsObject& o, const Value& v, const std::string& n) {
         of<LineObject>(o).lineWidth = toNumber(v, n);
     }},
    {"marker",
     [](const Graphics&, const GraphicsObject& o) -> Value { return of<LineObject>(o).marker; },
     [](GraphicsObject& o, const Value& v, const std::string& n) {
         of<LineObject>(o).marker = toMarker(v, n);
     }},
    {"markersize",
     [](const Graphics&, const GraphicsObject& o) -> Value {
         return numberValue(of<LineObject>(o).markerSize);
     },
     [](GraphicsObject& o, const Value& v, const std::string& n) {
         of<LineObject>(o).markerSize = toNumber(v, n);
     }},
    {"markerfacecolor",
     [](const Graphics&, const GraphicsObject& o) -> Value {
         return colorValue(of<LineObject>(o).markerFaceColor);
     },
     [](GraphicsObject& o, const Value& v, const std::string& n) {
         of<LineObject>(o).markerFaceColor = toColor(v, n);
     }},
    {"markeredgecolor",
     [](const Graphics&, const GraphicsObject& o) -> Value {
         return colorValue(of<LineObject>(o).markerEdgeColor);
     },
     [](GraphicsObject& o, const Value& v, const std::string& n) {
         of<LineObject>(o).markerEdgeColor = toColor(v, n);
     }},
};

// Patches ----------------------------------------------------------------------------------

const Property kPatchProperties[] = {
    {"faces",
     [](const Graphics&, const GraphicsObject& o) -> Value { return of<PatchObject>(o).faces; },
     [](GraphicsObject& o, const Value& v, const std::string& n) {
         of<PatchObject>(o).faces = toMatrix(v, n);
     }},
    {"vertices",
     [](const Graphics&, const GraphicsObject& o) -> Value { return of<PatchObject>(o).vertices; },
     [](GraphicsObject& o, const Value& v, const std::string& n) {
         const Matrix m = toMatrix(v, n);
         if (!m.empty() && m.cols() < 2) {
             throw RuntimeError("Bad value for property \"" + n +
                                "\": one (x, y) row per vertex is needed.");
         }
         of<PatchObject>(o).vertices = m;
     }},
    {"cdata",
     [](const Graphics&, const GraphicsObject& o) -> Value { return of<PatchObject>(o).cdata; },
     [](GraphicsObject& o, const Value& v, const std::string& n) {
         of<PatchObject>(o).cdata = toMatrix(v, n);
     }},
    {"facecolor",
     [](const Graphics&, const GraphicsObject& o) -> Value {
         return colorValue(of<PatchObject>(o).faceColor);
     },
     [](GraphicsObject& o, const Value& v, const std::string& n) {
         of<PatchObject>(o).faceColor = toColor(v, n);
     }},
    {"edgecolor",
     [](const Graphics&, const GraphicsObject& o) -> Value {
         return colorValue(of<PatchObject>(o).edgeColor);
     },
     [](GraphicsObject& o, const Value& v, const std::string& n) {
         of<PatchObject>(o).edgeColor = toColor(v, n);
     }},
    {"linewidth",
     [](const Graphics&, const GraphicsObject& o) -> Value {
         return numberValue(of<PatchObject>(o).lineWidth);
     },
     [](GraphicsObject& o, const Value& v, const std::string& n) {
         of<PatchObject>(o).lineWidth = toNumber(v, n);
     }},
};

// Texts ------------------------------------------------------------------------------------

const Property kTextProperties[] = {
    {"string",
     [](const Graphics&, const GraphicsObject& o) -> Value {
         return textsValue(of<TextObject>(o).lines);
     },
     [](GraphicsObject& o, const Value& v, const std::string& n) {
         of<TextObject>(o).lines = toTexts(v, n, false);
     }},
    {"position",
     [](const Graphics&, const GraphicsObject& o) -> Value {
         return rowValue({of<TextObject>(o).x, of<TextObject>(o).y, 0});
     },
     [](GraphicsObject& o, const Value& v, const std::string& n) {
         const Matrix m = toMatrix(v, n);
         if (m.numel() < 2 || m.numel() > 3) {
             throw RuntimeError("Bad value for property \"" + n + "\": [x y] is needed.");
         }
         of<TextObject>(o).x = m[0];
         of<TextObject>(o).y = m[1];
     }},
    {"fontname",
     [](const Graphics&, const GraphicsObject& o) -> Value { return of<TextObject>(o).fontName; },
     [](GraphicsObject& o, const Value& v, const std::string& n) {
         of<TextObject>(o).fontName = toText(v, n);
     }},
    {"fontsize",
     [](const Graphics&, const GraphicsObject& o) -> Value {
         return numberValue(of<TextObject>(o).fontSize);
     },
     [](GraphicsObject& o, const Value& v, const std::string& n) {
         of<TextObject>(o).fontSize = toNumber(v, n);
     }},
    {"fontangle",
     [](const Graphics&, const GraphicsObject& o) -> Value { return of<TextObject>(o).fontAngle; },
     [](GraphicsObject& o, const Value& v, const std::string& n) {
         of<TextObject>(o).fontAngle = toChoice(v, n, kFontAngles);
     }},
    {"fontweight",
     [](const Graphics&, const GraphicsObject& o) -> Value { return of<TextObject>(o).fontWeight; },
     [](GraphicsObject& o, const Value& v, const std::string& n) {
         of<TextObject>(o).fontWeight = toChoice(v, n, kFontWeights);
     }},
    {"rotation",
     [](const Graphics&, const GraphicsObject& o) -> Value {
         return numberValue(of<TextObject>(o).rotation);
     },
     [](GraphicsObject& o, const Value& v, const std::string& n) {
         of<TextObject>(o).rotation = toNumber(v, n);
     }},
    {"interpreter",
     [](const Graphics&, const GraphicsObject& o) -> Value {
         return of<TextObject>(o).interpreter;
     },
     [](GraphicsObject& o, const Value& v, const std::string& n) {
         of<TextObject>(o).interpreter = toChoice(v, n, {"none", "tex", "latex"});
     }},
    {"horizontalalignment",
     [](const Graphics&, const GraphicsObject& o) -> Value {
         return of<TextObject>(o).horizontalAlignment;
     },
     [](GraphicsObject& o, const Value& v, const std::string& n) {
         of<TextObject>(o).horizontalAlignment = toChoice(v, n, {"left", "center", "right"});
     }},
    {"verticalalignment",
     [](const Graphics&, const GraphicsObject& o) -> Value {
         return of<TextObject>(o).verticalAlignment;
     },
     [](GraphicsObject& o, const Value& v, const std::string& n) {
         of<TextObject>(o).verticalAlignment =
             toChoice(v, n, {"top", "cap", "middle", "baseline", "bottom"});
     }},
    {"color",
     [](const Graphics&, const GraphicsObject& o) -> Value {
         return rgbValue(of<TextObject>(o).color);
     },
     [](GraphicsObject& o, const Value& v, const std::string& n) {
         of<TextObject>(o).color = toRgb(v, n);
     }},
};

// Legends ----------------------------------------------------------------------------------

const Property kLegendProperties[] = {
    {"string",
     [](const Graphics&, const GraphicsObject& o) -> Value {
         return CellRow(of<LegendObject>(o).texts);
     },
     [](GraphicsObject& o, const Value& v, const std::string& n) {
         auto& l = of<LegendObject>(o);
         l.texts = toTexts(v, n, false);
         l.texts.resize(l.entries.size());
     }},
    {"fontname",
     [](const Graphics&, const GraphicsObject& o) -> Value { return of<LegendObject>(o).fontName; },
     [](GraphicsObject& o, const Value& v, const std::string& n) {
         of<LegendObject>(o).fontName = toText(v, n);
     }},
    {"fontsize",
     [](const Graphics&, const GraphicsObject& o) -> Value {
         return numberValue(of<LegendObject>(o).fontSize);
     },
     [](GraphicsObject& o, const Value& v, const std::string& n) {
         of<LegendObject>(o).fontSize = toNumber(v, n);
     }},
    {"location",
     [](const Graphics&, const GraphicsObject& o) -> Value {
         return numberValue(of<LegendObject>(o).location);
     },
     [](GraphicsObject& o, const Value& v, const std::string& n) {
         const double loc = toNumber(v, n);
         if (loc != -1 && !(loc >= 1 && loc <= 4 && loc == static_cast<int>(loc))) {
             throw RuntimeError("Bad value for property \"" + n + "\": -1 or 1 to 4 is needed.");
         }
         of<LegendObject>(o).location = static_cast<int>(loc);
     }},
};

std::span<const Property> tableOf(ObjectType type) {
    switch (type) {
        case ObjectType::Figure:
            return kFigureProperties;
        case ObjectType::Axes:
            return kAxesProperties;
        case ObjectType::Legend:
            return kLegendProperties;
        case ObjectType::Line:
            return kLineProperties;
        case ObjectType::Patch:
            return kPatchProperties;
        case ObjectType::Text:
            return kTextProperties;
    }
    return {};
}

const Property& find(const GraphicsObject& o, const std::string& name) {
    const std::string key = lowerCase(name);
    for (const Property& p : tableOf(o.type())) {
        if (key == p.name) {
            return p;
        }
    }
    const std::string kind = o.type() == ObjectType::Legend ? "legend" : typeName(o.type());
    throw RuntimeError("There is no \"" + name + "\" property of the " + kind + " object.");
}

}  // namespace

void Graphics::set(Handle h, const std::string& name, const Value& value) {
    GraphicsObject& o = object(h);
    const std::string key = lowerCase(name);
    if (key == "tag") {
        o.tag = toText(value, name);
        return;
    }
    if (key == "parent") {
        const Handle parent = toNumber(value, name);
        const ObjectType want = o.type() == ObjectType::Axes || o.type() == ObjectType::Legend
                                    ? ObjectType::Figure
                                    : ObjectType::Axes;
        if (o.type() == ObjectType::Figure || !ishandle(parent) || object(parent).type() != want) {
            throw RuntimeError("Bad value for property \"" + name + "\": the handle of " +
                               (want == ObjectType::Figure ? "a figure" : "an axes") +
                               " is needed.");
        }
        attach(h, parent);
        return;
    }
    if (key == "currentaxes" && o.type() == ObjectType::Figure) {
        const Handle ax = toNumber(value, name);
        if (!ishandle(ax) || object(ax).type() != ObjectType::Axes || object(ax).parent != h) {
            throw RuntimeError("Bad value for property \"" + name +
                               "\": an axes of the figure is needed.");
        }
        std::get<FigureObject>(o.data).currentAxes = ax;
        return;
    }
    if (key == "type" || key == "children") {
        throw RuntimeError("The property \"" + name + "\" cannot be set.");
    }
    const Property& p = find(o, name);
    if (p.set == nullptr) {
        throw RuntimeError("The property \"" + name + "\" cannot be set.");
    }
    p.set(o, value, name);
}

void Graphics::set(Handle h, const PropertyList& props) {
    for (const auto& [name, value] : props) {
        set(h, name, value);
    }
}

void Graphics::set(const std::vector<Handle>& handles, const std::string& name,
                   const Value& value) {
    for (const Handle h : handles) {
        set(h, name, value);
    }
}

Value Graphics::get(Handle h, const std::string& name) const {
    const GraphicsObject& o = object(h);
    const std::string key = lowerCase(name);
    if (key == "type")
        return typeName(o.type());
    if (key == "tag")
        return o.tag;
    if (key == "parent")
        return numberValue(o.parent);
    if (key == "children") {
        return o.children.empty() ? Matrix(0, 1) : Matrix::column(o.children);
    }
    return find(o, name).get(*this, o);
}

std::vector<Value> Graphics::get(const std::vector<Handle>& handles,
                                 const std::string& name) const {
    std::vector<Value> values;
    values.reserve(handles.size());
    for (const Handle h : handles) {
        values.push_back(get(h, name));
    }
    return values;
}

}  // namespace ambiscan::graphics
