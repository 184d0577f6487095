#include "tests/support/recording.h"

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <sstream>

#include "platform/user32.h"

namespace morv_test {
namespace {

struct KeyRow {
  const char* name;
  int vk;
};
constexpr KeyRow kKeys[] = {
    {"VK_RETURN", VK_RETURN}, {"VK_ESCAPE", VK_ESCAPE},   {"VK_SPACE", VK_SPACE},
    {"VK_LEFT", VK_LEFT},     {"VK_RIGHT", VK_RIGHT},     {"VK_UP", VK_UP},
    {"VK_DOWN", VK_DOWN},     {"VK_SHIFT", VK_SHIFT},     {"VK_CONTROL", VK_CONTROL},
    {"VK_MENU", VK_MENU},     {"VK_PAUSE", VK_PAUSE},     {"VK_TAB", VK_TAB},
    {"VK_BACK", VK_BACK},     {"VK_F1", VK_F1},           {"VK_F4", VK_F4},
    {"VK_F10", VK_F10},       {"VK_F12", VK_F12},
};

}  // namespace

int KeyFromName(const std::string& name) {
  for (const KeyRow& k : kKeys) {
    if (name == k.name) return k.vk;
  }
  if (name.size() == 1 && ((name[0] >= 'A' && name[0] <= 'Z') || (name[0] >= '0' && name[0] <= '9'))) {
    return name[0];
  }
  return -1;
}

std::string KeyName(int vk) {
  for (const KeyRow& k : kKeys) {
    if (vk == k.vk) return k.name;
  }
  if ((vk >= 'A' && vk <= 'Z') || (vk >= '0' && vk <= '9')) return std::string(1, static_cast<char>(vk));
  return "";
}

std::string FormatEvent(const RecordedEvent& e) {
  const std::string f = std::to_string(e.frame);
  switch (e.kind) {
    case RecordedEvent::Down: return f + " down " + KeyName(e.a);
    case RecordedEvent::Up: return f + " up " + KeyName(e.a);
    case RecordedEvent::Move: return f + " move " + std::to_string(e.a) + " " + std::to_string(e.b);
    case RecordedEvent::ButtonDown: return f + " button-down " + std::to_string(e.a);
    case RecordedEvent::ButtonUp: return f + " button-up " + std::to_string(e.a);
  }
  return f;
}

int Recording::LastFrame() const {
  int last = 0;
  for (const RecordedEvent& e : events) last = std::max(last, e.frame);
  for (const Checkpoint& c : checks) last = std::max(last, c.frame);
  return last;
}

Recording ParseRecording(const std::string& text) {
  Recording r;
  std::istringstream in(text);
  std::string line;
  while (std::getline(in, line)) r.lines.push_back(line);
  for (size_t i = 0; i < r.lines.size() && r.error.empty(); ++i) {
    std::string body = r.lines[i].substr(0, r.lines[i].find('#'));
    std::istringstream words(body);
    std::string first;
    if (!(words >> first)) continue;
    const std::string where = "line " + std::to_string(i + 1) + ": ";
    if (first == "check") {
      Checkpoint c;
      c.line = static_cast<int>(i);
      std::string field;
      if (!(words >> c.frame)) {
        r.error = where + "check without a frame";
        break;
      }
      while (words >> field) {
        const size_t eq = field.find('=');
        if (eq == std::string::npos) {
          r.error = where + "field without '=': " + field;
          break;
        }
        c.fields.emplace_back(field.substr(0, eq), field.substr(eq + 1));
      }
      r.checks.push_back(c);
      continue;
    }
    RecordedEvent e;
    std::string kind;
    char* end = nullptr;
    e.frame = static_cast<int>(std::strtol(first.c_str(), &end, 10));
    if (*end != '\0' || e.frame < 0 || !(words >> kind)) {
      r.error = where + "not an event: " + r.lines[i];
      break;
    }
    bool ok = true;
    if (kind == "down" || kind == "up") {
      std::string key;
      ok = static_cast<bool>(words >> key);
      e.kind = kind == "down" ? RecordedEvent::Down : RecordedEvent::Up;
      e.a = ok ? KeyFromName(key) : -1;
      ok = ok && e.a >= 0;
    } else if (kind == "move") {
      e.kind = RecordedEvent::Move;
      ok = static_cast<bool>(words >> e.a >> e.b);
    } else if (kind == "button-down" || kind == "button-up") {
      e.kind = kind == "button-down" ? RecordedEvent::ButtonDown : RecordedEvent::ButtonUp;
      ok = static_cast<bool>(words >> e.a) && (e.a == 1 || e.a == 2);
    } else {
      ok = false;
    }
    if (!ok) r.error = where + "bad event: " + r.lines[i];
    r.events.push_back(e);
  }
  std::stable_sort(r.events.begin(), r.events.end(),
                   [](const RecordedEvent& x, const RecordedEvent& y) { return x.frame < y.frame; });
  std::stable_sort(r.checks.begin(), r.checks.end(),
                   [](const Checkpoint& x, const Checkpoint& y) { return x.frame < y.frame; });
  return r;
}

std::string ReadWholeFile(const std::string& path) {
  std::ifstream f(path, std::ios::binary);
  std::ostringstream s;
  s << f.rdbuf();
  return s.str();
}

uint32_t Fnv1a(const std::vector<uint8_t>& bytes) {
  uint32_t h = 2166136261u;
  for (uint8_t b : bytes) {
    h ^= b;
    h *= 16777619u;
  }
  return h;
}

}  // namespace morv_test
