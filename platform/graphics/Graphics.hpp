#pragma once

#include <array>
#include <cstddef>
#include <map>
#include <optional>
#include <string>
#include <utility>
#include <variant>
#include <vector>

#include "platform/numeric/Matrix.hpp"
#include "platform/numeric/Value.hpp"

// The retained figure model: figures, axes, lines, patches, texts and legends, named by double
// handles, with properties read and written by name. It knows nothing of pixels; the renderer
// (platform/render) reads a finished figure and draws it.
namespace ambiscan::graphics {

using Handle = double;

struct Rgb {
    double r = 0, g = 0, b = 0;
    bool operator==(const Rgb&) const = default;
};

// A colour-valued property: a fixed colour or one of the keywords "none", "flat", "auto".
struct ColorSpec {
    enum class Kind { Rgb, None, Flat, Auto };
    Kind kind = Kind::Rgb;
    Rgb rgb{};
    bool operator==(const ColorSpec&) const = default;
};

// A line spec split into its parts; empty parts were not given.
struct LineSpec {
    std::string lineStyle;  // "-", "--", ":", "-." or empty
    std::string color;      // one colour letter (r g b c m y k w) or empty
    std::string marker;     // o x + * . s d v ^ < > p h, or empty
    std::string message;    // non-empty when the text is no line spec
};
// Splits "r-x", "bo", "-x", ":" ... into line style, colour and marker.
LineSpec colstyle(const std::string& spec);
// The colour of a colour letter (r g b c m y k w).
std::optional<Rgb> colorOfLetter(char letter);

enum class ObjectType { Figure, Axes, Legend, Line, Patch, Text };
// The "type" property: a legend reports "axes" (it is an axes tagged "legend").
std::string typeName(ObjectType type);

struct TextObject {
    std::vector<std::string> lines;  // "string": one entry per line
    double x = 0, y = 0;             // "position", data coordinates of the axes
    std::string fontName = "Helvetica";
    double fontSize = 10;
    std::string fontAngle = "normal";
    std::string fontWeight = "normal";
    double rotation = 0;
    std::string interpreter = "tex";
    std::string horizontalAlignment = "left";
    std::string verticalAlignment = "middle";
    Rgb color{0, 0, 0};
};

struct LineObject {
    Matrix xdata, ydata;  // rows of equal length; NaN breaks the line
    // Stems kept compactly: each point (x, y) stands for the three points (x, 0), (x, y) and a
    // gap. LinePoints reads the line as drawn; the XData and YData properties give that form.
    bool stemsFromZero = false;
    Rgb color{0, 0, 1};
    std::string lineStyle = "-";  // "-", "--", ":", "-.", "none"
    double lineWidth = 0.5;
    std::string marker = "none";
    double markerSize = 6;
    ColorSpec markerFaceColor{ColorSpec::Kind::None, {}};
    ColorSpec markerEdgeColor{ColorSpec::Kind::Auto, {}};
};

struct PatchObject {
    Matrix faces;     // one row of 1-based vertex numbers per face
    Matrix vertices;  // one (x, y) row per vertex
    Matrix cdata;     // one colour index per vertex (or per face)
    ColorSpec faceColor{ColorSpec::Kind::Flat, {}};
    ColorSpec edgeColor{ColorSpec::Kind::Rgb, {0, 0, 0}};
    double lineWidth = 0.5;
};

struct AxesObject {
    std::array<double, 2> xlim{0, 1}, ylim{0, 1};
    bool xlimAuto = true, ylimAuto = true;
    std::vector<double> xtick, ytick;
    bool xtickAuto = true, ytickAuto = true;
    std::vector<std::string> xtickLabel, ytickLabel;
    bool xtickLabelAuto = true, ytickLabelAuto = true;
    bool xgrid = false, ygrid = false, zgrid = false;
    std::string layer = "bottom";
    bool box = false;
    std::string nextPlot = "replace";  // "replace", "add", "replacechildren"
    std::string fontName = "Helvetica";
    double fontSize = 10;
    std::string fontAngle = "normal";
    std::string fontWeight = "normal";
    std::array<double, 2> clim{0, 1};
    bool climAuto = true;
    int view = 2;
    Handle title = 0, xlabel = 0, ylabel = 0;  // the axes' own text objects
    std::size_t nextColorIndex = 0;            // colour order for lines given no colour
};

// A legend: a figure child that reports type "axes" and tag "legend".
struct LegendObject {
    Handle axes = 0;              // the axes it describes
    std::vector<Handle> entries;  // the described lines or patches
    std::vector<std::string> texts;
    int location = -1;  // 1..4 = upper right, upper left, lower left, lower right
                        // inside; -1 = the corner that hides the fewest data points
    std::string fontName = "Helvetica";
    double fontSize = 9;
};

struct FigureObject {
    Handle currentAxes = 0;
    Matrix colormap;  // N x 3 colour fractions; "flat" patches index it through the axes' clim
    Rgb defaultAxesXColor{0.15, 0.15, 0.15};
};

struct GraphicsObject {
    Handle handle = 0;
    Handle parent = 0;
    std::vector<Handle> children;  // newest first, as the "children" property lists them
    std::string tag;
    std::variant<FigureObject, AxesObject, LegendObject, LineObject, PatchObject, TextObject> data;
    ObjectType type() const;
};

using PropertyList = std::vector<std::pair<std::string, Value>>;

// The state of all figures of one run. There is no global instance: whoever draws holds one.
class Graphics {
  public:
    Graphics();

    // figure(): a new current figure. figure(h): that figure made current again.
    Handle figure();
    void figure(Handle h);
    Handle gcf();  // the current figure, made if absent
    Handle gca();  // its current axes, made if absent
    bool hasCurrentFigure() const;
    Handle currentFigureHandle() const;  // 0 when there is none; makes nothing

    void hold(bool on);  // on the current axes
    bool ishold();
    // The axes to draw into, cleared or kept according to its "NextPlot".
    Handle newplot();

    // One line per column of y (or per row of a row vector) in the axes of newplot(); spec is a
    // line spec ("r-x", "bo", or empty); props are written after creation, in order.
    std::vector<Handle> plot(const Matrix& x, const Matrix& y, const std::string& spec = "",
                             const PropertyList& props = {});
    // A patch in the current axes with the properties written in order. It does not clear the
    // axes: a chart that draws several patches calls newplot() once before the first.
    Handle patch(const PropertyList& props);
    // A text at data coordinates in the current axes; one entry per line.
    Handle text(double x, double y, const std::vector<std::string>& lines);
    // A legend of the current axes; location as in LegendObject.
    Handle legend(const std::vector<Handle>& entries, const std::vector<std::string>& texts,
                  int location = -1);

    void set(Handle h, const std::string& name, const Value& value);
    void set(Handle h, const PropertyList& props);  // written in the order given
    Value get(Handle h, const std::string& name) const;
    // The same on every handle of a vector; get gives one value per handle.
    void set(const std::vector<Handle>& handles, const std::string& name, const Value& value);
    std::vector<Value> get(const std::vector<Handle>& handles, const std::string& name) const;

    // [xmin xmax ymin ymax] of the current axes (automatic limits resolved).
    std::array<double, 4> axis();
    void axis(const std::array<double, 4>& limits);  // fixes the limits
    void view2();
    void close();  // deletes the current figure
    // Moves the current figure, with all it holds, into a model of its own (same handles, the
    // figure current there) and closes it here: it can then be drawn elsewhere while this
    // model goes on. The lines' data move rather than being copied.
    Graphics takeCurrentFigure();
    bool ishandle(Handle h) const;

    const GraphicsObject& object(Handle h) const;
    GraphicsObject& object(Handle h);
    template <class T>
    const T& as(Handle h) const {
        return std::get<T>(object(h).data);
    }
    template <class T>
    T& as(Handle h) {
        return std::get<T>(object(h).data);
    }

    // Resolved view of an axes for the renderer and for axis(): automatic limits widened to
    // round ticks, tick positions and labels.
    struct ResolvedAxis {
        std::array<double, 2> limits;
        std::vector<double> ticks;
        std::vector<std::string> labels;
    };
    ResolvedAxis resolvedX(Handle axes) const;
    ResolvedAxis resolvedY(Handle axes) const;
    // Both at once, reading the data once.
    struct ResolvedAxes {
        ResolvedAxis x, y;
    };
    ResolvedAxes resolvedAxes(Handle axes) const;
    // The colour limits "flat" patches are mapped through: "clim", or the range of the cdata.
    std::array<double, 2> resolvedClim(Handle axes) const;
    // Every object of a type, in ascending handle order.
    std::vector<Handle> handlesOf(ObjectType type) const;

  private:
    Handle newHandle(bool isFigure);
    Handle add(Handle parent, GraphicsObject obj);  // a new child, placed first
    void attach(Handle h, Handle parent);           // moves h to the front of parent's children
    void deleteObject(Handle h);                    // with its children and dependent objects
    // ... implementation detail members below
    std::map<Handle, GraphicsObject> objects_;
    Handle currentFigure_ = 0;
    Handle nextFigureHandle_ = 1;
    Handle nextObjectHandle_ = 0;
};

}  // namespace ambiscan::graphics
