// The registry stand-in: one hive per process, read from its file on first use and written back
// through a temporary file that is renamed into place, so a crash never leaves half a file.
#include "gui/ui/formats/registry_standin.h"

#include <cstdlib>
#include <filesystem>
#include <sstream>

#include "gui/ui/formats/text_utils.h"

namespace kvt::ui {

namespace {

constexpr const char* kRegistryHeader = "KVT settings registry 1";

struct Hive {
    RegKeyNode root;
    std::string file;
    bool loaded = false;
    bool readOnly = false;
    bool dirty = false;

    ~Hive() { Flush(); }

    void EnsureLoaded() {
        if (loaded) return;
        loaded = true;
        root = RegKeyNode{};
        readOnly = false;
        std::error_code ec;
        if (!std::filesystem::exists(file, ec)) return;
        std::string text;
        RegKeyNode parsed;
        if (!ReadWholeFile(file, text) || !ParseRegistryText(text, parsed)) {
            readOnly = true;  // keep the user's file as it is; never save over it
            return;
        }
        root = std::move(parsed);
    }

    bool Flush() {
        if (!dirty || readOnly || file.empty()) return true;
        if (WriteFileReplacing(file, WriteRegistryText(root))) {
            dirty = false;
            return true;
        }
        return false;
    }
};

Hive& HiveUnloaded() {
    static Hive hive;
    if (hive.file.empty()) hive.file = UserConfigFolder() + "/kvt/registry.txt";
    return hive;
}

Hive& TheHive() {
    Hive& hive = HiveUnloaded();
    hive.EnsureLoaded();
    return hive;
}

const char* RootName(TRegRootType root) {
    switch (root) {
    case TRegRootType::rrtHKEY_CLASSES_ROOT: return "HKEY_CLASSES_ROOT";
    case TRegRootType::rrtHKEY_LOCAL_MACHINE: return "HKEY_LOCAL_MACHINE";
    case TRegRootType::rrtHKEY_USERS: return "HKEY_USERS";
    case TRegRootType::rrtHKEY_CURRENT_CONFIG: return "HKEY_CURRENT_CONFIG";
    default: return "HKEY_CURRENT_USER";
    }
}

RegKeyNode* FindChild(RegKeyNode& key, const std::string& name) {
    for (auto& k : key.keys)
        if (SameTextIgnoringCase(k.name, name)) return &k;
    return nullptr;
}

RegValue* FindValue(RegKeyNode& key, const std::string& name) {
    for (auto& v : key.values)
        if (SameTextIgnoringCase(v.name, name)) return &v;
    return nullptr;
}

// Splits "\A\B" or "A\B" into components; false for an empty component in between ("A\\B").
bool SplitKeyPath(const std::string& path, std::vector<std::string>& parts) {
    parts.clear();
    size_t start = (!path.empty() && path[0] == '\\') ? 1 : 0;
    if (start == path.size()) return true;
    std::string rest = path.substr(start);
    if (!rest.empty() && rest.back() == '\\') rest.pop_back();
    size_t pos = 0;
    while (true) {
        size_t next = rest.find('\\', pos);
        std::string part = rest.substr(pos, next == std::string::npos ? std::string::npos : next - pos);
        if (part.empty()) return false;
        parts.push_back(part);
        if (next == std::string::npos) return true;
        pos = next + 1;
    }
}

RegKeyNode* Walk(RegKeyNode* key, const std::vector<std::string>& parts, bool create, bool* created = nullptr) {
    for (const auto& part : parts) {
        RegKeyNode* child = FindChild(*key, part);
        if (!child) {
            if (!create) return nullptr;
            key->keys.push_back(RegKeyNode{part, {}, {}});
            child = &key->keys.back();
            if (created) *created = true;
        }
        key = child;
    }
    return key;
}

// Bytes that would break the line structure, and the separators, travel as %XX.
std::string Encode(const std::string& s, bool inKeyPath) {
    static const char* hex = "0123456789ABCDEF";
    std::string out;
    for (unsigned char c : s) {
        if (c <= 0x20 || c == 0x7F || c == '%' || (inKeyPath && c == '\\')) {
            out += '%';
            out += hex[c >> 4];
            out += hex[c & 15];
        } else {
            out += static_cast<char>(c);
        }
    }
    return out;
}

bool Decode(const std::string& s, std::string& out) {
    out.clear();
    for (size_t i = 0; i < s.size(); ++i) {
        if (s[i] != '%') {
            out += s[i];
            continue;
        }
        if (i + 2 >= s.size()) return false;
        int hi = HexDigitValue(s[i + 1]), lo = HexDigitValue(s[i + 2]);
        if (hi < 0 || lo < 0) return false;
        out += static_cast<char>(hi * 16 + lo);
        i += 2;
    }
    return true;
}

std::vector<std::string> SplitBlanks(const std::string& line) {
    std::vector<std::string> tokens;
    size_t pos = 0;
    while (true) {
        size_t next = line.find(' ', pos);
        tokens.push_back(line.substr(pos, next == std::string::npos ? std::string::npos : next - pos));
        if (next == std::string::npos) return tokens;
        pos = next + 1;
    }
}

void WriteKey(const RegKeyNode& key, const std::string& path, std::string& out) {
    if (!path.empty()) out += "key " + path + "\n";
    for (const auto& v : key.values) {
        out += "value " + Encode(v.name, false) + " ";
        switch (v.kind) {
        case RegValueKind::String: out += "string " + Encode(v.text, false); break;
        case RegValueKind::ExpandString: out += "expand " + Encode(v.text, false); break;
        case RegValueKind::DWord: out += "dword " + std::to_string(v.dword); break;
        case RegValueKind::Binary: {
            out += "binary ";
            static const char* hex = "0123456789ABCDEF";
            for (uint8_t b : v.bytes) {
                out += hex[b >> 4];
                out += hex[b & 15];
            }
            break;
        }
        case RegValueKind::MultiString:
            out += "multi " + std::to_string(v.lines.size());
            for (const auto& l : v.lines) out += " " + Encode(l, false);
            break;
        }
        out += "\n";
    }
    for (const auto& k : key.keys) WriteKey(k, (path.empty() ? "" : path + "\\") + Encode(k.name, true), out);
}

bool ParseValue(const std::vector<std::string>& t, RegValue& v) {
    if (t.size() < 3 || !Decode(t[1], v.name)) return false;
    const std::string& kind = t[2];
    if (kind == "string" || kind == "expand") {
        v.kind = kind == "string" ? RegValueKind::String : RegValueKind::ExpandString;
        return t.size() == 4 && Decode(t[3], v.text);
    }
    if (kind == "dword") {
        v.kind = RegValueKind::DWord;
        int64_t n = 0;
        if (t.size() != 4 || !ParseCanonicalDecimal(t[3], n) || n < 0 || n > 0xFFFFFFFFLL) return false;
        v.dword = static_cast<uint32_t>(n);
        return true;
    }
    if (kind == "binary") {
        v.kind = RegValueKind::Binary;
        if (t.size() != 4 || t[3].size() % 2 != 0) return false;
        for (size_t i = 0; i < t[3].size(); i += 2) {
            int hi = HexDigitValue(t[3][i]), lo = HexDigitValue(t[3][i + 1]);
            if (hi < 0 || lo < 0) return false;
            v.bytes.push_back(static_cast<uint8_t>(hi * 16 + lo));
        }
        return true;
    }
    if (kind == "multi") {
        v.kind = RegValueKind::MultiString;
        int64_t n = 0;
        if (t.size() < 4 || !ParseCanonicalDecimal(t[3], n) || n < 0 || static_cast<size_t>(n) != t.size() - 4)
            return false;
        for (size_t i = 4; i < t.size(); ++i) {
            std::string line;
            if (!Decode(t[i], line)) return false;
            v.lines.push_back(line);
        }
        return true;
    }
    return false;
}

}  // namespace

std::string UserConfigFolder() {
    const char* xdg = std::getenv("XDG_CONFIG_HOME");
    if (xdg && xdg[0] == '/') return xdg;
    const char* home = std::getenv("HOME");
    return std::string(home ? home : "") + "/.config";
}

std::string RegistryFile() { return HiveUnloaded().file; }

void SetRegistryFile(const std::string& path) {
    Hive& hive = HiveUnloaded();
    if (hive.loaded) hive.Flush();
    hive.file = path;
    hive.loaded = false;
    hive.dirty = false;
}

bool RegistryWritable() { return !TheHive().readOnly; }

std::string WriteRegistryText(const RegKeyNode& hiveRoot) {
    std::string out = std::string(kRegistryHeader) + "\n";
    for (const auto& root : hiveRoot.keys) WriteKey(root, Encode(root.name, true), out);
    return out;
}

bool ParseRegistryText(const std::string& text, RegKeyNode& hiveRoot) {
    hiveRoot = RegKeyNode{};
    std::istringstream in(text);
    std::string line;
    bool first = true;
    RegKeyNode* key = nullptr;
    std::vector<std::string> keyPath;  // re-walked per value: pointers into vectors move
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (first) {
            if (line != kRegistryHeader) return false;
            first = false;
            continue;
        }
        if (line.empty()) continue;
        std::vector<std::string> tokens = SplitBlanks(line);
        if (tokens[0] == "key") {
            if (tokens.size() != 2 || tokens[1].empty()) return false;
            keyPath.clear();
            size_t pos = 0;
            const std::string& p = tokens[1];
            while (true) {
                size_t next = p.find('\\', pos);
                std::string part;
                if (!Decode(p.substr(pos, next == std::string::npos ? std::string::npos : next - pos), part) ||
                    part.empty())
                    return false;
                keyPath.push_back(part);
                if (next == std::string::npos) break;
                pos = next + 1;
            }
            key = Walk(&hiveRoot, keyPath, true);
        } else if (tokens[0] == "value") {
            if (!key) return false;
            key = Walk(&hiveRoot, keyPath, false);
            RegValue v;
            if (!ParseValue(tokens, v) || FindValue(*key, v.name)) return false;
            key->values.push_back(std::move(v));
        } else {
            return false;
        }
    }
    return !first;
}

TRegistry::TRegistry(TRegRootType root) : rootName_(RootName(root)) {}

TRegistry::~TRegistry() {
    if (lazyWrite_) TheHive().Flush();
}

RegKeyNode* TRegistry::Root() const {
    // The five roots always exist; making one is no change worth saving.
    RegKeyNode& top = TheHive().root;
    if (RegKeyNode* root = FindChild(top, rootName_)) return root;
    top.keys.push_back(RegKeyNode{rootName_, {}, {}});
    return &top.keys.back();
}

RegKeyNode* TRegistry::Current() const { return Walk(Root(), current_, false); }

bool TRegistry::Changed() {
    Hive& hive = TheHive();
    hive.dirty = true;
    return lazyWrite_ ? true : hive.Flush();
}

bool TRegistry::OpenKey(const std::string& path, bool canCreate) {
    std::vector<std::string> parts;
    if (!SplitKeyPath(path, parts)) return false;
    Hive& hive = TheHive();
    if (canCreate && hive.readOnly) {
        // Opening an existing key still works on a hive that cannot be saved.
        canCreate = false;
    }
    bool created = false;
    if (!Walk(Root(), parts, canCreate, &created)) return false;
    current_ = parts;
    if (created) Changed();
    return true;
}

std::string TRegistry::CurrentPath() const {
    std::string path;
    for (const auto& p : current_) path += "\\" + p;
    return path.empty() ? "\\" : path;
}

bool TRegistry::MoveToExistingKey() {
    bool moved = false;
    while (!current_.empty() && !Current()) {
        current_.pop_back();
        moved = true;
    }
    return moved;
}

bool TRegistry::KeyExists(const std::string& path) const {
    std::vector<std::string> parts;
    if (!SplitKeyPath(path, parts)) return false;
    return Walk(Root(), parts, false) != nullptr;
}

bool TRegistry::DeleteKey(const std::string& path) {
    std::vector<std::string> parts;
    if (!SplitKeyPath(path, parts) || parts.empty() || TheHive().readOnly) return false;
    std::string last = parts.back();
    parts.pop_back();
    RegKeyNode* parent = Walk(Root(), parts, false);
    if (!parent) return false;
    for (size_t i = 0; i < parent->keys.size(); ++i) {
        if (SameTextIgnoringCase(parent->keys[i].name, last)) {
            parent->keys.erase(parent->keys.begin() + static_cast<std::ptrdiff_t>(i));
            return Changed();
        }
    }
    return false;
}

bool TRegistry::DeleteValue(const std::string& name) {
    RegKeyNode* key = Current();
    if (!key || TheHive().readOnly) return false;
    for (size_t i = 0; i < key->values.size(); ++i) {
        if (SameTextIgnoringCase(key->values[i].name, name)) {
            key->values.erase(key->values.begin() + static_cast<std::ptrdiff_t>(i));
            return Changed();
        }
    }
    return false;
}

bool TRegistry::ValueExists(const std::string& name) const {
    RegKeyNode* key = Current();
    return key && FindValue(*key, name);
}

bool TRegistry::GetKeyNames(std::vector<std::string>& names) const {
    RegKeyNode* key = Current();
    if (!key) return false;
    for (const auto& k : key->keys) names.push_back(k.name);
    return true;
}

bool TRegistry::GetValueNames(std::vector<std::string>& names) const {
    RegKeyNode* key = Current();
    if (!key) return false;
    for (const auto& v : key->values) names.push_back(v.name);
    return true;
}

bool TRegistry::RenameValue(const std::string& oldName, const std::string& newName) {
    RegKeyNode* key = Current();
    if (!key || TheHive().readOnly) return false;
    RegValue* v = FindValue(*key, oldName);
    if (!v || (FindValue(*key, newName) && !SameTextIgnoringCase(oldName, newName))) return false;
    v->name = newName;
    return Changed();
}

bool TRegistry::ReadValue(const std::string& name, RegValue& value) const {
    RegKeyNode* key = Current();
    if (!key) return false;
    RegValue* v = FindValue(*key, name);
    if (!v) return false;
    value = *v;
    return true;
}

bool TRegistry::WriteValue(const RegValue& value) {
    RegKeyNode* key = Current();
    if (!key || TheHive().readOnly) return false;
    if (RegValue* v = FindValue(*key, value.name)) {
        std::string keptName = v->name;
        *v = value;
        v->name = keptName;
    } else {
        key->values.push_back(value);
    }
    return Changed();
}

bool TRegistry::WriteString(const std::string& name, const std::string& text) {
    RegValue v;
    v.name = name;
    v.kind = RegValueKind::String;
    v.text = text;
    return WriteValue(v);
}

bool TRegistry::WriteDWord(const std::string& name, uint32_t value) {
    RegValue v;
    v.name = name;
    v.kind = RegValueKind::DWord;
    v.dword = value;
    return WriteValue(v);
}

}  // namespace kvt::ui
