#include "platform/graphics/Graphics.hpp"

#include <algorithm>
#include <cmath>

#include "platform/base/RuntimeError.hpp"
#include "platform/graphics/Colors.hpp"

namespace ambiscan::graphics {

std::string typeName(ObjectType type) {
    switch (type) {
        case ObjectType::Figure:
            return "figure";
        case ObjectType::Axes:
            return "axes";
        case ObjectType::Legend:
            return "axes";
        case ObjectType::Line:
            return "line";
        case ObjectType::Patch:
            return "patch";
        case ObjectType::Text:
            return "text";
    }
    return "unknown";
}

ObjectType GraphicsObject::type() const {
    return static_cast<ObjectType>(data.index());
}

namespace {

void removeChild(GraphicsObject& parent, Handle child) {
    auto& c = parent.children;
    c.erase(std::remove(c.begin(), c.end(), child), c.end());
}

}  // namespace

Graphics::Graphics() : nextObjectHandle_(100) {}

Handle Graphics::newHandle(bool isFigure) {
    if (isFigure) {
        // The lowest figure number not in use, as a user would count figures.
        Handle h = 1;
        while (objects_.count(h) != 0) {
            h += 1;
        }
        return h;
    }
    // Other objects get numbers that are never whole, so they cannot be taken for figures.
    nextObjectHandle_ += 1;
    return nextObjectHandle_ + 0.25;
}

Handle Graphics::figure() {
    const Handle h = newHandle(true);
    GraphicsObject fig{h, 0, {}, {}, FigureObject{}};
    std::get<FigureObject>(fig.data).colormap = defaultColormap();
    objects_.emplace(h, std::move(fig));
    currentFigure_ = h;
    return h;
}

void Graphics::figure(Handle h) {
    auto it = objects_.find(h);
    if (it != objects_.end()) {
        if (it->second.type() != ObjectType::Figure) {
            throw RuntimeError("figure: the handle does not name a figure.");
        }
        currentFigure_ = h;
        return;
    }
    if (!(h >= 1) || h != std::floor(h)) {
        throw RuntimeError("figure: a new figure's handle must be a positive whole number.");
    }
    GraphicsObject fig{h, 0, {}, {}, FigureObject{}};
    std::get<FigureObject>(fig.data).colormap = defaultColormap();
    objects_.emplace(h, std::move(fig));
    currentFigure_ = h;
}

bool Graphics::hasCurrentFigure() const {
    return currentFigure_ != 0 && ishandle(currentFigure_);
}

Handle Graphics::currentFigureHandle() const {
    return hasCurrentFigure() ? currentFigure_ : 0;
}

Handle Graphics::gcf() {
    if (!hasCurrentFigure()) {
        figure();
    }
    return currentFigure_;
}

Handle Graphics::gca() {
    const Handle fig = gcf();
    FigureObject& f = as<FigureObject>(fig);
    if (f.currentAxes != 0 && ishandle(f.currentAxes)) {
        return f.currentAxes;
    }
    const Handle ax = newHandle(false);
    objects_.emplace(ax, GraphicsObject{ax, fig, {}, {}, AxesObject{}});
    object(fig).children.insert(object(fig).children.begin(), ax);
    AxesObject& a = as<AxesObject>(ax);
    for (Handle* text : {&a.title, &a.xlabel, &a.ylabel}) {
        *text = newHandle(false);
        objects_.emplace(*text, GraphicsObject{*text, ax, {}, {}, TextObject{}});
    }
    as<TextObject>(a.ylabel).rotation = 90;
    f.currentAxes = ax;
    return ax;
}

void Graphics::hold(bool on) {
    AxesObject& a = as<AxesObject>(gca());
    a.nextPlot = on ? "add" : "replace";
}

bool Graphics::ishold() {
    return as<AxesObject>(gca()).nextPlot == "add";
}

void Graphics::deleteObject(Handle h) {
    auto it = objects_.find(h);
    if (it == objects_.end()) {
        return;
    }
    const std::vector<Handle> children = it->second.children;
    for (const Handle c : children) {
        deleteObject(c);
    }
    if (const auto* a = std::get_if<AxesObject>(&it->second.data)) {
        for (const Handle t : {a->title, a->xlabel, a->ylabel}) {
            objects_.erase(t);
        }
        // A legend describes one axes and goes with it.
        std::vector<Handle> legends;
        for (const auto& [handle, obj] : objects_) {
            if (const auto* l = std::get_if<LegendObject>(&obj.data); l && l->axes == h) {
                legends.push_back(handle);
            }
        }
        for (const Handle l : legends) {
            deleteObject(l);
        }
    }
    it = objects_.find(h);
    if (it == objects_.end()) {
        return;
    }
    const Handle parent = it->second.parent;
    objects_.erase(it);
    if (auto p = objects_.find(parent); p != objects_.end()) {
        removeChild(p->second, h);
        if (auto* f = std::get_if<FigureObject>(&p->second.data); f && f->currentAxes == h) {
            f->currentAxes = 0;
            for (const Handle c : p->second.children) {
                if (object(c).type() == ObjectType::Axes) {
                    f->currentAxes = c;
                    break;
                }
            }
        }
    }
    if (h == currentFigure_) {
        currentFigure_ = 0;
        // The most recent remaining figure becomes current.
        for (const auto& [handle, obj] : objects_) {
            if (obj.type() == ObjectType::Figure) {
                currentFigure_ = handle;
            }
        }
    }
}

Handle Graphics::newplot() {
    const Handle ax = gca();
    AxesObject& a = as<AxesObject>(ax);
    if (a.nextPlot == "add") {
        return ax;
    }
    const std::vector<Handle> children = object(ax).children;
    for (const Handle c : children) {
        deleteObject(c);
    }
    std::vector<Handle> legends;
    for (const auto& [handle, obj] : objects_) {
        if (const auto* l = std::get_if<LegendObject>(&obj.data); l && l->axes == ax) {
            legends.push_back(handle);
        }
    }
    for (const Handle l : legends) {
        deleteObject(l);
    }
    AxesObject& axes = as<AxesObject>(ax);
    if (axes.nextPlot == "replace") {
        // Everything back to the defaults, the title and labels emptied; the handles stay.
        AxesObject fresh;
        fresh.title = axes.title;
        fresh.xlabel = axes.xlabel;
        fresh.ylabel = axes.ylabel;
        axes = fresh;
        for (const Handle t : {fresh.title, fresh.xlabel, fresh.ylabel}) {
            as<TextObject>(t) = TextObject{};
        }
        as<TextObject>(fresh.ylabel).rotation = 90;
    } else {
        axes.nextColorIndex = 0;
    }
    return ax;
}

void Graphics::close() {
    if (hasCurrentFigure()) {
        deleteObject(currentFigure_);
    }
}

Graphics Graphics::takeCurrentFigure() {
    Graphics taken;
    if (!hasCurrentFigure()) {
        return taken;
    }
    const Handle fig = currentFigure_;
    for (auto& [h, obj] : objects_) {
        // Everything whose parents lead to the figure, the axes' own texts included.
        Handle p = h;
        while (p != fig && p != 0) {
            const auto it = objects_.find(p);
            p = it == objects_.end() ? 0 : it->second.parent;
        }
        if (p != fig) {
            continue;
        }
        GraphicsObject copy{obj.handle, obj.parent, obj.children, obj.tag, {}};
        if (auto* line = std::get_if<LineObject>(&obj.data)) {
            copy.data = std::move(*line);
        } else {
            copy.data = obj.data;
        }
        taken.objects_.emplace(h, std::move(copy));
    }
    taken.currentFigure_ = fig;
    taken.nextFigureHandle_ = nextFigureHandle_;
    taken.nextObjectHandle_ = nextObjectHandle_;
    close();
    return taken;
}

bool Graphics::ishandle(Handle h) const {
    return objects_.count(h) != 0;
}

const GraphicsObject& Graphics::object(Handle h) const {
    auto it = objects_.find(h);
    if (it == objects_.end()) {
        throw RuntimeError("Invalid graphics handle.");
    }
    return it->second;
}

GraphicsObject& Graphics::object(Handle h) {
    auto it = objects_.find(h);
    if (it == objects_.end()) {
        throw RuntimeError("Invalid graphics handle.");
    }
    return it->second;
}

std::array<double, 4> Graphics::axis() {
    const Handle ax = gca();
    const ResolvedAxes r = resolvedAxes(ax);
    return {r.x.limits[0], r.x.limits[1], r.y.limits[0], r.y.limits[1]};
}

void Graphics::axis(const std::array<double, 4>& limits) {
    if (!(limits[0] < limits[1]) || !(limits[2] < limits[3])) {
        throw RuntimeError("axis: the limits must be increasing pairs [xmin xmax ymin ymax].");
    }
    AxesObject& a = as<AxesObject>(gca());
    a.xlim = {limits[0], limits[1]};
    a.ylim = {limits[2], limits[3]};
    a.xlimAuto = false;
    a.ylimAuto = false;
}

void Graphics::view2() {
    as<AxesObject>(gca()).view = 2;
}

void Graphics::attach(Handle h, Handle parent) {
    GraphicsObject& obj = object(h);
    if (auto old = objects_.find(obj.parent); old != objects_.end()) {
        removeChild(old->second, h);
    }
    obj.parent = parent;
    auto& siblings = object(parent).children;
    siblings.insert(siblings.begin(), h);
}

Handle Graphics::add(Handle parent, GraphicsObject obj) {
    const Handle h = newHandle(false);
    obj.handle = h;
    obj.parent = 0;
    objects_.emplace(h, std::move(obj));
    attach(h, parent);
    return h;
}

std::vector<Handle> Graphics::handlesOf(ObjectType type) const {
    std::vector<Handle> result;
    for (const auto& [handle, obj] : objects_) {
        if (obj.type() == type) {
            result.push_back(handle);
        }
    }
    return result;
}

}  // namespace ambiscan::graphics
