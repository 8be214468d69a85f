#include "drawing/drawing_json.h"

#include <array>
#include <string_view>

#include "drawing/json.h"

namespace veldra::drawing {
namespace {

std::string_view supportName(beam::Support s) {
  constexpr std::array<std::string_view, 3> kNames = {"span", "cantilever", "overhang"};
  return kNames[static_cast<std::size_t>(s)];
}

std::string_view kindName(SupportKind k) {
  constexpr std::array<std::string_view, 3> kNames = {"pin", "roller", "clamp"};
  return kNames[static_cast<std::size_t>(k)];
}

void write(JsonWriter& json, const Structure& s) {
  json.key("beam").value(supportName(s.support));
  json.key("supports").beginArray();
  for (const Support& support : s.supports) {
    json.beginObject().key("kind").value(kindName(support.kind)).key("role").value(support.role);
    json.key("u").value(support.u).key("name").value(support.name).endObject();
  }
  json.endArray().key("ends").beginArray();
  for (const End& end : s.ends) {
    json.beginObject().key("role").value(end.role).key("u").value(end.u);
    json.key("name").value(end.name).endObject();
  }
  json.endArray();
  if (s.overhang) {
    json.key("overhang").beginObject().key("from").value(s.overhang->from);
    json.key("to").value(s.overhang->to).key("name").value(s.overhang->name).endObject();
  }
  json.key("dimensions").beginArray();
  for (const Dimension& dim : s.dimensions) {
    json.beginObject().key("role").value(dim.role).key("from").value(dim.from);
    json.key("to").value(dim.to).key("label").value(dim.label).endObject();
  }
  json.endArray();
  if (s.load) {
    const Load& load = *s.load;
    json.key("load").beginObject().key("kind").value(beam::namesOf(load.kind).name);
    const bool atPoint =
        load.kind == beam::LoadKind::kForce || load.kind == beam::LoadKind::kMoment;
    if (atPoint) {
      json.key("u").value(load.from);
    } else {
      json.key("from").value(load.from).key("to").value(load.to);
    }
    json.key("down").value(load.down);
    if (load.kind == beam::LoadKind::kMoment) json.key("clockwise").value(load.clockwise);
    json.key("label").value(load.label).endObject();
  }
}

void write(JsonWriter& json, const Line& line) {
  json.key("line").beginArray();
  for (const Point& p : line.points) json.beginArray().value(p.u).value(p.v).endArray();
  json.endArray().key("scale").value(line.scale).key("markers").beginArray();
  for (const Marker& m : line.markers) {
    json.beginObject().key("role").value(m.role).key("tag").value(m.tag);
    json.key("u").value(m.u).key("v").value(m.v).key("labels").beginArray();
    for (const Label& l : m.labels) {
      json.beginObject().key("text").value(l.text).key("shown").value(l.shown).endObject();
    }
    json.endArray().endObject();
  }
  json.endArray();
  if (!line.ratio.empty()) json.key("ratio").value(line.ratio);
  if (!line.legend.empty()) json.key("legend").value(line.legend);
}

}  // namespace

std::string toJson(const Drawing& d) {
  JsonWriter json;
  json.beginObject().key("case").value(d.Nr).key("title").value(d.title);
  if (!d.subtitle.empty()) json.key("subtitle").value(d.subtitle);
  json.key("status").value(entryOf(d.status).name).key("notes").beginArray();
  for (const Note& n : d.notes) {
    json.beginObject().key("kind").value(n.kind).key("text").value(n.text).endObject();
  }
  json.endArray().key("summary").value(d.summary);
  if (!d.source.empty()) json.key("source").value(d.source);
  if (d.beam) write(json, *d.beam);
  if (d.line) write(json, *d.line);
  json.endObject();
  return json.text();
}

}  // namespace veldra::drawing
