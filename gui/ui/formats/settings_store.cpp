// The settings store's tree, its two file formats and its registry mode.
#include "gui/ui/formats/settings_store.h"

#include <algorithm>
#include <charconv>
#include <cstring>
#include <filesystem>
#include <random>

#include "gui/ui/formats/string_utils.h"
#include "gui/ui/formats/text_utils.h"

namespace kvt::ui {

namespace {

constexpr uint8_t kKeyRecord = 1;
constexpr uint8_t kValueRecord = 0;
// A text that a plain line would not give back is written as "\: ... " in quotes. It is written
// only for such texts, and only exactly so, which is how a reader tells it from a hand-written
// value that happens to look like it.
constexpr const char* kEscapedPrefix = "\"\\:";

bool NamesMatch(const std::string& a, const std::string& b) {
    return SameTextIgnoringCase(TrimCopy(a), TrimCopy(b));
}

TElIniEntry* FindChild(TElIniEntry* key, const std::string& name) {
    if (!key) return nullptr;
    for (auto& c : key->Children)
        if (NamesMatch(c->Name, name)) return c.get();
    return nullptr;
}

bool IsInside(const TElIniEntry* node, const TElIniEntry* ancestor) {
    for (; node; node = node->Parent)
        if (node == ancestor) return true;
    return false;
}

std::string BinaryText(const std::vector<uint8_t>& data) { return DataToHexStr(data.data(), data.size()); }

// A bracket index of a multi-string line: an optionally signed decimal number.
bool ParseIndex(const std::string& s, int64_t& v) {
    std::string t = TrimCopy(s);
    const char* b = t.data();
    const char* e = t.data() + t.size();
    if (b != e && *b == '+') ++b;
    auto [end, ec] = std::from_chars(b, e, v);
    return !t.empty() && ec == std::errc() && end == e;
}

std::string EscapeText(const std::string& s) {
    static const char* hex = "0123456789ABCDEF";
    std::string out = kEscapedPrefix;
    for (unsigned char c : s) {
        if (c == '\\') {
            out += "\\\\";
        } else if (c == '"') {
            out += "\\q";
        } else if (c < 0x20 || c == 0x7F || c == '[' || c == ']') {
            out += "\\x";
            out += hex[c >> 4];
            out += hex[c & 15];
        } else {
            out += static_cast<char>(c);
        }
    }
    return out + "\"";
}

bool IsEscaped(const std::string& s) {
    return s.size() >= 4 && s.compare(0, 3, kEscapedPrefix) == 0 && s.back() == '"';
}

bool DecodeEscapes(const std::string& s, std::string& out) {
    out.clear();
    for (size_t i = 3; i + 1 < s.size(); ++i) {
        char c = s[i];
        if (c == '"') return false;
        if (c != '\\') {
            out += c;
            continue;
        }
        if (i + 2 >= s.size()) return false;
        char k = s[++i];
        if (k == '\\') {
            out += '\\';
        } else if (k == 'q') {
            out += '"';
        } else if (k == 'x') {
            if (i + 3 >= s.size()) return false;
            int hi = HexDigitValue(s[i + 1]), lo = HexDigitValue(s[i + 2]);
            if (hi < 0 || lo < 0) return false;
            out += static_cast<char>(hi * 16 + lo);
            i += 2;
        } else {
            return false;
        }
    }
    return true;
}

// Our escape form, written exactly as EscapeText writes it (no other spelling of the same text).
bool UnescapeText(const std::string& s, std::string& out) {
    if (!IsEscaped(s)) return false;
    std::string decoded;
    if (!DecodeEscapes(s, decoded) || EscapeText(decoded) != s) return false;
    out = std::move(decoded);
    return true;
}

// Little-endian records of the binary file; every read checks what remains.
struct Reader {
    const std::string& data;
    size_t pos = 0;
    size_t end;
    explicit Reader(const std::string& d) : data(d), end(d.size()) {}
    size_t Remaining() const { return end - pos; }
    bool Byte(uint8_t& b) {
        if (Remaining() < 1) return false;
        b = static_cast<uint8_t>(data[pos++]);
        return true;
    }
    bool Int(int32_t& v) {
        if (Remaining() < 4) return false;
        uint32_t u = 0;
        for (int i = 0; i < 4; ++i) u |= static_cast<uint32_t>(static_cast<uint8_t>(data[pos + i])) << (8 * i);
        pos += 4;
        v = static_cast<int32_t>(u);
        return true;
    }
    bool String(std::string& s) {
        int32_t len = 0;
        if (!Int(len) || len < 0 || static_cast<size_t>(len) > Remaining()) return false;
        s.assign(data, pos, static_cast<size_t>(len));
        pos += static_cast<size_t>(len);
        return true;
    }
};

void PutInt(std::string& out, int32_t v) {
    uint32_t u = static_cast<uint32_t>(v);
    for (int i = 0; i < 4; ++i) out += static_cast<char>((u >> (8 * i)) & 0xFF);
}

void PutString(std::string& out, const std::string& s) {
    PutInt(out, static_cast<int32_t>(s.size()));
    out += s;
}

}  // namespace

// ---------------------------------------------------------------------------------------------

void TElIniEntry::ClearValue() {
    ValueType = kIniNone;
    BoolValue = false;
    IntValue = 0;
    SecondValue = 0;
    StringValue.clear();
    MultiValue.clear();
    BinaryValue.clear();
}

TElIniEntry* TElIniEntry::Append(std::unique_ptr<TElIniEntry> child) {
    child->Parent = this;
    Children.push_back(std::move(child));
    return Children.back().get();
}

bool IsValidKeyName(const std::string& name) {
    for (unsigned char c : name)
        if (c < 32 || c == '*' || c == '?') return false;
    return true;
}

// ---------------------------------------------------------------------------------------------

TElIniFile::TElIniFile() : root_(std::make_unique<TElIniEntry>()) {
    root_->IsKey = true;
    currentKey_ = root_.get();
    currentPath_ = std::string(1, delimiter_);
}

TElIniFile::~TElIniFile() {
    // In registry mode nothing is written, but the save's events still run.
    if (lazyWrite_ && modified_) {
        try {
            Save();
        } catch (...) {
        }
    }
    auto notifications = std::move(freeNotifications_);
    for (auto& n : notifications) n.second();
}

void TElIniFile::AddFreeNotification(const void* who, std::function<void()> gone) {
    RemoveFreeNotification(who);
    freeNotifications_.emplace_back(who, std::move(gone));
}

void TElIniFile::RemoveFreeNotification(const void* who) {
    std::erase_if(freeNotifications_, [who](const auto& n) { return n.first == who; });
}

void TElIniFile::TriggerBeforeSave() {
    if (OnBeforeSave) OnBeforeSave(this);
}
void TElIniFile::TriggerAfterLoad() {
    if (OnAfterLoad) OnAfterLoad(this);
}
void TElIniFile::TriggerBeforeLoad() {
    if (OnBeforeLoad) OnBeforeLoad(this);
}
void TElIniFile::TriggerAfterSave() {
    if (OnAfterSave) OnAfterSave(this);
}

void TElIniFile::RequireFileMode(const char* message) const {
    if (useRegistry_) throw EElIniError(message);
}

void TElIniFile::Restore(const SavedKey& k) {
    currentKey_ = k.key;
    currentPath_ = k.path;
}

std::string TElIniFile::PathOf(const TElIniEntry* key) const {
    if (!key || key == root_.get()) return std::string(1, delimiter_);
    if (simple_) return std::string(1, delimiter_) + key->Name;
    std::string path;
    for (; key && key != root_.get(); key = key->Parent) path = std::string(1, delimiter_) + key->Name + path;
    return path;
}

void TElIniFile::MoveOffDetached(TElIniEntry* removed) {
    // A current key inside a removed subtree would point at freed memory.
    if (IsInside(currentKey_, removed)) {
        currentKey_ = removed->Parent ? removed->Parent : root_.get();
        currentPath_ = PathOf(currentKey_);
    }
}

void TElIniFile::SaveUnlessLazy() {
    if (!lazyWrite_) Save();
}

// ---------------------------------------------------------------------------------------------
// Properties

void TElIniFile::SetDelimiter(char v) {
    if (useRegistry_ && v != '\\') throw EElIniError("Changing delimiter is not available when using registry.");
    if (v == delimiter_) return;
    delimiter_ = v;
    if (!useRegistry_) {
        currentPath_ = PathOf(currentKey_);
        SaveUnlessLazy();
    }
}

void TElIniFile::SetLazyWrite(bool v) {
    lazyWrite_ = v;
    if (registry_) registry_->SetLazyWrite(v);
}

namespace {
std::string NormaliseRegistryPath(std::string p) {
    if (!p.empty() && p.back() == '\\') p.pop_back();
    if (p.empty() || p[0] != '\\') p.insert(p.begin(), '\\');
    return p;
}
}  // namespace

void TElIniFile::SetPath(const std::string& v) {
    if (!useRegistry_) {
        if (v != path_) loadFailed_ = false;
        path_ = v;
        return;
    }
    std::string p = NormaliseRegistryPath(v);
    if (!registry_->OpenKey(p, true)) return;
    path_ = p;
    currentPath_ = "\\";
}

TRegRootType TElIniFile::RegRoot() const {
    switch (regRoot_) {
    case TRegRootType::rrtHKEY_CLASSES_ROOT:
    case TRegRootType::rrtHKEY_CURRENT_USER:
    case TRegRootType::rrtHKEY_LOCAL_MACHINE:
    case TRegRootType::rrtHKEY_USERS:
    case TRegRootType::rrtHKEY_CURRENT_CONFIG: return regRoot_;
    default: return TRegRootType::rrtHKEY_CURRENT_USER;
    }
}

void TElIniFile::SetRegRoot(TRegRootType v) {
    if (v == TRegRootType::rrtUnknown || v == regRoot_) return;
    regRoot_ = v;
    if (registry_) {
        registry_ = std::make_unique<TRegistry>(RegRoot());
        registry_->SetLazyWrite(lazyWrite_);
        registry_->OpenKey(path_, true);
        currentPath_ = "\\";
    }
}

void TElIniFile::SetUseRegistry(bool v) {
    if (v == useRegistry_) return;
    if (v) {
        registry_ = std::make_unique<TRegistry>(RegRoot());
        registry_->SetLazyWrite(lazyWrite_);
        path_ = NormaliseRegistryPath(path_.empty() ? "\\SOFTWARE" : path_);
        std::string current = currentPath_;
        useRegistry_ = true;
        currentPath_ = "\\";
        if (!OpenRegistryKey(current.empty() || current[0] != '\\' ? "\\" + current : current, true))
            registry_->OpenKey(path_, true);
    } else {
        registry_.reset();
        useRegistry_ = false;
        currentPath_ = PathOf(currentKey_);
    }
}

void TElIniFile::SetSimple(bool v) {
    if (v == simple_) return;
    if (useRegistry_) {
        simple_ = v;
        return;
    }
    // Re-reading the whole store in the other mode turns nested keys into flat ones and back.
    static std::mt19937_64 names{std::random_device{}()};
    std::error_code ec;
    const std::string temp =
        (std::filesystem::temp_directory_path(ec) / ("kvt-settings-" + std::to_string(names()))).string();
    const std::string oldPath = path_;
    const bool oldFailed = loadFailed_, oldModified = modified_;
    loadFailed_ = false;
    path_ = temp;
    try {
        if (Save()) {
            simple_ = v;
            const char oldDelimiter = delimiter_;
            if (v) delimiter_ = '\0';
            try {
                Load();
            } catch (...) {
            }
            delimiter_ = oldDelimiter;
            currentPath_ = PathOf(currentKey_);
        }
    } catch (...) {
    }
    path_ = oldPath;
    loadFailed_ = oldFailed;
    modified_ = oldModified;
    std::filesystem::remove(temp, ec);
}

void TElIniFile::Loaded() {
    if (path_.empty() || useRegistry_) return;
    try {
        Load();
    } catch (...) {
    }
}

// ---------------------------------------------------------------------------------------------
// Keys

bool TElIniFile::OpenKey(const std::string& key, bool canCreate) {
    return useRegistry_ ? OpenRegistryKey(key, canCreate) : OpenFileKey(key, canCreate);
}

bool TElIniFile::OpenFileKey(const std::string& key, bool canCreate) {
    if (key.empty() || SameTextIgnoringCase(key, currentPath_)) return true;
    const std::string delim(1, delimiter_);
    auto enter = [&](TElIniEntry* parent, const std::string& name) -> TElIniEntry* {
        TElIniEntry* child = FindChild(parent, name);
        if (child && child->IsKey) return child;
        if (!canCreate) return nullptr;
        if (child) {
            child->ClearValue();
            child->IsKey = true;
        } else {
            auto node = std::make_unique<TElIniEntry>();
            node->IsKey = true;
            node->Name = name;
            child = parent->Append(std::move(node));
        }
        MarkModified();
        return child;
    };
    if (simple_) {
        currentKey_ = root_.get();
        currentPath_ = delim;
        std::string name = key[0] == delimiter_ ? key.substr(1) : key;
        if (name.empty()) return true;
        TElIniEntry* child = enter(root_.get(), name);
        if (!child) return false;
        currentKey_ = child;
        currentPath_ = delim + name;
        return true;
    }
    std::string rest = key;
    std::string path;
    if (rest[0] == delimiter_) {
        currentKey_ = root_.get();
        path = delim;
        rest.erase(0, 1);
    } else {
        path = currentPath_;
        if (path != delim) path += delim;
    }
    if (!rest.empty() && rest.back() == delimiter_) rest.pop_back();
    if (!rest.empty()) {
        size_t pos = 0;
        while (true) {
            size_t next = rest.find(delimiter_, pos);
            std::string part = rest.substr(pos, next == std::string::npos ? std::string::npos : next - pos);
            TElIniEntry* child = part.empty() ? nullptr : enter(currentKey_, part);
            if (!child) {
                currentPath_ = path.size() > 1 ? path.substr(0, path.size() - 1) : path;
                return false;
            }
            path += part + delim;
            currentKey_ = child;
            if (next == std::string::npos) break;
            pos = next + 1;
        }
    }
    if (path.size() > 1 && path.back() == delimiter_) path.pop_back();
    currentPath_ = path;
    return true;
}

std::string TElIniFile::RegistryKeyPath(const std::string& key) const {
    std::string full;
    if (key.empty())
        full = currentPath_;
    else if (key[0] == '\\')
        full = key;
    else
        full = (currentPath_ == "\\" ? std::string() : currentPath_) + "\\" + key;
    if (full.size() > 1 && full.back() == '\\') full.pop_back();
    std::string base = path_ == "\\" ? std::string() : path_;
    return full == "\\" ? (base.empty() ? "\\" : base) : base + full;
}

bool TElIniFile::OpenRegistryKey(const std::string& key, bool canCreate) {
    if (key.empty()) return true;
    if (!registry_->OpenKey(RegistryKeyPath(key), canCreate)) return false;
    SyncRegistryPath();
    return true;
}

bool TElIniFile::InRegistryKey(const std::string& key, bool canCreate, const std::function<bool()>& op) {
    std::string saved = currentPath_;
    bool ok = OpenRegistryKey(key, canCreate) && op();
    OpenRegistryKey(saved, false);
    return ok;
}

bool TElIniFile::InFileKey(const std::string& key, bool canCreate, const std::function<void()>& op) {
    SavedKey saved = Remember();
    bool ok = OpenFileKey(key, canCreate);
    if (ok) op();
    Restore(saved);
    return ok;
}

void TElIniFile::SyncRegistryPath() {
    std::string current = registry_->CurrentPath();
    std::string base = path_ == "\\" ? std::string() : path_;
    if (!base.empty() && current.size() >= base.size() && SameTextIgnoringCase(current.substr(0, base.size()), base))
        current.erase(0, base.size());
    currentPath_ = current.empty() ? "\\" : current;
}

bool TElIniFile::KeyExists(const std::string& key) {
    if (useRegistry_) return registry_->KeyExists(RegistryKeyPath(key));
    return InFileKey(key, false, [] {});
}

TElIniEntry* TElIniFile::GetValueEntry(const std::string& key, const std::string& valueName) {
    RequireFileMode("GetValueEntry method is not available when using registry.");
    TElIniEntry* found = nullptr;
    InFileKey(key, false, [&] {
        if (valueName.empty())
            found = currentKey_ == root_.get() ? nullptr : currentKey_;
        else
            found = FindChild(currentKey_, valueName);
    });
    return found;
}

TElIniEntry* TElIniFile::CreateValue(const std::string& key, const std::string& valueName) {
    RequireFileMode("CreateValue method is not available when using registry.");
    TElIniEntry* node = nullptr;
    InFileKey(key, true, [&] {
        node = valueName.empty() && currentKey_ != root_.get() ? currentKey_ : FindChild(currentKey_, valueName);
        if (node) {
            node->ClearValue();
        } else {
            auto fresh = std::make_unique<TElIniEntry>();
            fresh->Name = valueName;
            node = currentKey_->Append(std::move(fresh));
        }
        MarkModified();
    });
    return node;
}

void TElIniFile::SetValueType(const std::string& key, const std::string& valueName, uint8_t type) {
    RequireFileMode("SetValueType method is not available when using registry.");
    TElIniEntry* node = CreateValue(key, valueName);
    if (!node) return;
    node->ClearValue();
    node->ValueType = type;
    MarkModified();
}

bool TElIniFile::Delete(const std::string& key, const std::string& valueName) {
    if (useRegistry_) {
        bool done;
        if (valueName.empty()) {
            done = registry_->DeleteKey(RegistryKeyPath(key));
            // Deleting the open key or one above it moves to the nearest key that is left.
            if (registry_->MoveToExistingKey()) SyncRegistryPath();
        } else {
            done = InRegistryKey(key, false, [&] { return registry_->DeleteValue(valueName); });
        }
        return done;
    }
    TElIniEntry* node = GetValueEntry(key, valueName);
    if (!node || node == root_.get() || !node->Parent) return false;
    MoveOffDetached(node);
    auto& siblings = node->Parent->Children;
    std::erase_if(siblings, [node](const auto& c) { return c.get() == node; });
    MarkModified();
    return true;
}

bool TElIniFile::ClearKey(const std::string& key) {
    if (useRegistry_) {
        std::string saved = currentPath_;
        if (!OpenRegistryKey(key, false)) return false;
        std::vector<std::string> names;
        registry_->GetKeyNames(names);
        const std::string here = registry_->CurrentPath();
        for (const auto& n : names) registry_->DeleteKey((here == "\\" ? "" : here) + "\\" + n);
        names.clear();
        registry_->GetValueNames(names);
        for (const auto& n : names) registry_->DeleteValue(n);
        OpenRegistryKey(saved, false);
        return true;
    }
    SavedKey saved = Remember();
    if (!OpenFileKey(key, false)) {
        Restore(saved);
        return false;
    }
    TElIniEntry* cleared = currentKey_;
    if (IsInside(saved.key, cleared) && saved.key != cleared) saved = {cleared, PathOf(cleared)};
    cleared->Children.clear();
    Restore(saved);
    MarkModified();
    SaveUnlessLazy();
    return true;
}

bool TElIniFile::EnumSubKeys(const std::string& key, std::vector<std::string>& names) {
    if (useRegistry_) return InRegistryKey(key, false, [&] { return registry_->GetKeyNames(names); });
    return InFileKey(key, true, [&] {
        for (auto& c : currentKey_->Children)
            if (c->IsKey) names.push_back(c->Name);
    });
}

bool TElIniFile::EnumValues(const std::string& key, std::vector<std::string>& names) {
    if (useRegistry_) {
        return InRegistryKey(key, false, [&] {
            std::vector<std::string> values, keys;
            if (!registry_->GetValueNames(values) || !registry_->GetKeyNames(keys)) return false;
            for (const auto& v : values)
                if (std::none_of(keys.begin(), keys.end(), [&](const auto& k) { return SameTextIgnoringCase(k, v); }))
                    names.push_back(v);
            return true;
        });
    }
    return InFileKey(key, true, [&] {
        for (auto& c : currentKey_->Children)
            if (!c->IsKey) names.push_back(c->Name);
    });
}

bool TElIniFile::RenameKey(const std::string& key, const std::string& newName) {
    RequireFileMode("Key can not be renamed when using registry.");
    if (newName.empty() || newName.find(delimiter_) != std::string::npos) return false;
    TElIniEntry* node = nullptr;
    InFileKey(key, false, [&] { node = currentKey_; });
    if (!node || node == root_.get()) return false;
    for (auto& c : node->Parent->Children)
        if (c.get() != node && c->IsKey && NamesMatch(c->Name, newName)) return false;
    node->Name = newName;
    if (IsInside(currentKey_, node)) currentPath_ = PathOf(currentKey_);
    MarkModified();
    return true;
}

bool TElIniFile::RenameValue(const std::string& key, const std::string& oldName, const std::string& newName) {
    if (useRegistry_) return InRegistryKey(key, false, [&] { return registry_->RenameValue(oldName, newName); });
    if (oldName.empty() || newName.find(delimiter_) != std::string::npos) return false;
    TElIniEntry* node = GetValueEntry(key, oldName);
    if (!node || node->IsKey) return false;
    TElIniEntry* other = GetValueEntry(key, newName);
    if (other && other != node) return false;
    node->Name = newName;
    MarkModified();
    return true;
}

// ---------------------------------------------------------------------------------------------
// Values

bool TElIniFile::ReadBool(const std::string& key, const std::string& valueName, bool& value, bool defaultValue) {
    value = defaultValue;
    if (useRegistry_) {
        RegValue v;
        bool found = InRegistryKey(key, false,
                                   [&] { return registry_->ReadValue(valueName, v) && v.kind == RegValueKind::DWord; });
        if (found) value = v.dword != 0;
        return found;
    }
    TElIniEntry* node = GetValueEntry(key, valueName);
    if (!node) return false;
    if (node->ValueType == kIniBool) {
        value = node->BoolValue;
        return true;
    }
    if (node->ValueType == kIniInteger) {
        value = node->IntValue != 0;
        return true;
    }
    return false;
}

bool TElIniFile::ReadString(const std::string& key, const std::string& valueName, std::string& value,
                            const std::string& defaultValue) {
    value = defaultValue;
    if (useRegistry_) {
        RegValue v;
        if (!InRegistryKey(key, false, [&] { return registry_->ReadValue(valueName, v); })) return false;
        switch (v.kind) {
        case RegValueKind::String:
        case RegValueKind::ExpandString: value = v.text; return true;
        case RegValueKind::MultiString:
            value.clear();
            for (size_t i = 0; i < v.lines.size(); ++i) value += (i ? "\r\n" : "") + v.lines[i];
            return true;
        // The store's integers are signed 32-bit, in the registry as in a file.
        case RegValueKind::DWord: value = std::to_string(static_cast<int32_t>(v.dword)); return true;
        case RegValueKind::Binary: value = BinaryText(v.bytes); return true;
        }
        return false;
    }
    TElIniEntry* node = GetValueEntry(key, valueName);
    if (!node) return false;
    switch (node->ValueType) {
    case kIniMultiString:
        value.clear();
        for (const auto& l : node->MultiValue) value += l + "\r\n";
        return true;
    case kIniString: value = node->StringValue; return true;
    case kIniInteger: value = std::to_string(node->IntValue); return true;
    case kIniBool: value = node->BoolValue ? "true" : "false"; return true;
    case kIniBinary: value = BinaryText(node->BinaryValue); return true;
    default: return false;
    }
}

bool TElIniFile::WriteString(const std::string& key, const std::string& valueName, const std::string& value) {
    if (useRegistry_) return InRegistryKey(key, true, [&] { return registry_->WriteString(valueName, value); });
    TElIniEntry* node = CreateValue(key, valueName);
    if (!node) return false;
    node->ValueType = kIniString;
    node->StringValue = value;
    MarkModified();
    SaveUnlessLazy();
    return true;
}

// ---------------------------------------------------------------------------------------------
// Loading and saving

bool TElIniFile::Load() {
    if (useRegistry_) return false;
    TriggerBeforeLoad();
    std::error_code ec;
    if (!std::filesystem::exists(path_, ec)) throw EElFileError("Cannot open file " + path_);
    std::string contents;
    const bool read = ReadWholeFile(path_, contents);
    // Parse into a fresh tree; a file we cannot read leaves the store as it was.
    std::unique_ptr<TElIniEntry> old = std::move(root_);
    SavedKey oldKey = Remember();
    root_ = std::make_unique<TElIniEntry>();
    root_->IsKey = true;
    currentKey_ = root_.get();
    currentPath_ = std::string(1, delimiter_);
    bool ok = read;
    if (ok) {
        if (binaryMode_)
            ok = ParseBinary(contents);
        else
            ParseText(contents);
    }
    if (!ok) {
        root_ = std::move(old);
        Restore(oldKey);
        loadFailed_ = true;
        return false;
    }
    currentKey_ = root_.get();
    currentPath_ = std::string(1, delimiter_);
    loadFailed_ = false;
    modified_ = false;
    TriggerAfterLoad();
    return true;
}

bool TElIniFile::Save() {
    if (!useRegistry_ && !path_.empty() && loadFailed_) return false;
    TriggerBeforeSave();
    if (!useRegistry_ && !path_.empty()) {
        if (!WriteFileReplacing(path_, binaryMode_ ? WriteBinary() : WriteText())) return false;
    }
    modified_ = false;
    TriggerAfterSave();
    return true;
}

void TElIniFile::ParseLine(const std::string& line, std::string& name, bool& hasName, std::string& value) {
    name.clear();
    value.clear();
    hasName = false;
    bool quoted = false;
    std::string text;
    for (size_t i = 0; i < line.size(); ++i) {
        char c = line[i];
        if (c == '"') {
            quoted = !quoted;
        } else if (!quoted) {
            if (!comment_.empty() && line.compare(i, comment_.size(), comment_) == 0) break;
            if (c == divChar_ && !hasName) {
                hasName = true;
                name = text;
                text.clear();
                continue;
            }
        }
        text += c;
    }
    value = text;
}

namespace {
// What one line of a text file means to the reader.
struct TextLine {
    enum Kind { Skip, Header, Value } kind = Skip;
    std::string header;  // Header: the key path (starting with the delimiter)
    std::string name;
    std::string value;
    bool element = false;
};
}  // namespace

void TElIniFile::TypeValue(TElIniEntry* node, const std::string& text) const {
    if (SameTextIgnoringCase(text, "TRUE") || SameTextIgnoringCase(text, "FALSE")) {
        node->ValueType = kIniBool;
        node->BoolValue = SameTextIgnoringCase(text, "TRUE");
        return;
    }
    int code = 0;
    int64_t pair = 0;
    StrToInt64Pair(text, code, pair);
    if (code == 0 && Int64PairToStr(pair) == text) {
        node->ValueType = kIniInt64Pair;
        node->IntValue = static_cast<int32_t>(static_cast<uint32_t>(static_cast<uint64_t>(pair)));
        node->SecondValue = static_cast<int32_t>(static_cast<uint32_t>(static_cast<uint64_t>(pair) >> 32));
        return;
    }
    int32_t first = 0;
    if (ParseCanonicalInt32(text, first)) {
        node->ValueType = kIniInteger;
        node->IntValue = first;
        return;
    }
    std::vector<uint8_t> bytes;
    int size = 0;
    if (HexStrToData(text, bytes, size)) {
        node->ValueType = kIniBinary;
        node->BinaryValue = std::move(bytes);
        return;
    }
    // A "454C" text that does not decode stays the text it is.
    node->ValueType = kIniString;
    node->StringValue = text;
}

void TElIniFile::ParseText(const std::string& text) {
    std::vector<std::string> lines;
    {
        size_t pos = 0;
        while (pos < text.size()) {
            size_t next = text.find_first_of("\r\n", pos);
            if (next == std::string::npos) {
                lines.push_back(text.substr(pos));
                break;
            }
            lines.push_back(text.substr(pos, next - pos));
            pos = next + ((text[next] == '\r' && next + 1 < text.size() && text[next + 1] == '\n') ? 2 : 1);
        }
    }
    TElIniEntry* target = root_.get();
    const std::string delim(1, delimiter_);
    for (size_t i = 0; i < lines.size(); ++i) {
        const std::string& line = lines[i];
        if (line.empty() || (!comment_.empty() && line.compare(0, comment_.size(), comment_) == 0)) continue;
        if (line[0] == '[') {
            std::string inside = line.size() >= 2 && line.back() == ']' ? line.substr(1, line.size() - 2) : line.substr(1);
            std::string plainPath;
            if (HeaderIsOurs(inside, plainPath)) inside = plainPath;
            const std::string path = delim + inside;
            target = currentKey_;
            if (!SameTextIgnoringCase(path, currentPath_)) target = OpenFileKey(path, true) ? currentKey_ : nullptr;
            currentKey_ = root_.get();
            currentPath_ = delim;
            continue;
        }
        if (!target) continue;
        std::string name, value;
        bool hasName = false;
        ParseLine(line, name, hasName, value);
        if (!hasName) name = "#" + std::to_string(i + 1);
        bool element = false;
        if (name.size() > 1 && name.back() == ']') {
            size_t open = name.rfind('[');
            if (open != std::string::npos) {
                int64_t index = 0;
                element = ParseIndex(name.substr(open + 1, name.size() - open - 2), index) && index != -1;
                name.erase(open);
            }
        }
        const LineForm form = !hasName ? LineForm::Bare : element ? LineForm::Element : name.empty() ? LineForm::Own
                                                                                                       : LineForm::Named;
        // The value was checked behind the name it was written with: a neutral one for an
        // escaped name.
        std::string checkName = form == LineForm::Named || form == LineForm::Element ? name : std::string();
        std::string plainName;
        if ((form == LineForm::Named || form == LineForm::Element) && NameIsOurs(name, form, plainName)) {
            name = plainName;
            checkName = "n";
        }
        TElIniEntry* node = name.empty() ? (target == root_.get() ? nullptr : target) : FindChild(target, name);
        if (!node) {
            if (name.empty()) continue;
            auto fresh = std::make_unique<TElIniEntry>();
            fresh->Name = name;
            node = target->Append(std::move(fresh));
        } else if (!(element && node->ValueType == kIniMultiString)) {
            node->ClearValue();
        }
        std::string plain;
        const bool ours = ValueIsOurs(value, form, checkName, plain);
        if (element) {
            node->ValueType = kIniMultiString;
            node->MultiValue.push_back(ours ? plain : value);
        } else if (ours) {
            node->ValueType = kIniString;
            node->StringValue = plain;
        } else {
            TypeValue(node, value);
        }
    }
}

std::string TElIniFile::TextOfValue(const TElIniEntry* v) const {
    switch (v->ValueType) {
    case kIniBool: return simple_ ? (v->BoolValue ? "1" : "0") : (v->BoolValue ? "true" : "false");
    case kIniInteger: return std::to_string(v->IntValue);
    case kIniString: return v->StringValue;
    case kIniBinary: return BinaryText(v->BinaryValue);
    case kIniInt64Pair:
        return Int64PairToStr(static_cast<int64_t>(static_cast<uint32_t>(v->IntValue) |
                                                   (static_cast<uint64_t>(static_cast<uint32_t>(v->SecondValue)) << 32)));
    default: return std::string();
    }
}

// Whether a line written plainly would be read back as this name and this value. Escaping is
// the exception, so files stay as readable as they always were.
bool TElIniFile::SurvivesAsText(LineForm form, const std::string& name, const std::string& value) const {
    std::string line;
    switch (form) {
    case LineForm::Named: line = name + divChar_ + value; break;
    case LineForm::Bare: line = value; break;
    case LineForm::Element: line = name + "[0]" + divChar_ + value; break;
    case LineForm::Own: line = std::string(1, divChar_) + value; break;
    }
    if (line.empty() || line[0] == '[' || line.find_first_of("\r\n") != std::string::npos) return false;
    if (!comment_.empty() && line.compare(0, comment_.size(), comment_) == 0) return false;
    std::string readName, readValue, plain;
    bool hasName = false;
    const_cast<TElIniFile*>(this)->ParseLine(line, readName, hasName, readValue);
    if (readValue != value || ValueIsOurs(value, form, name, plain)) return false;
    switch (form) {
    case LineForm::Bare:
        if (hasName) return false;
        break;
    case LineForm::Own:
        if (!hasName || !readName.empty()) return false;
        break;
    case LineForm::Named:
        if (!hasName || readName != name || name.empty() || name[0] == '#') return false;
        if (name.size() > 1 && name.back() == ']' && name.find('[') != std::string::npos) return false;
        if (NameIsOurs(name, form, plain)) return false;
        break;
    case LineForm::Element:
        return hasName && readName == name + "[0]" && !name.empty() && !NameIsOurs(name, form, plain);
    }
    TElIniEntry probe;
    TypeValue(&probe, value);
    return probe.ValueType == kIniString && probe.StringValue == value;
}

// A text is read as our escape form only when it is exactly what the writer puts there: the
// escape of a text that would not come back plain in that place. Anything else keeps the plain
// reading, quotes and all. The plain text is always shorter, so the checks end.
bool TElIniFile::ValueIsOurs(const std::string& text, LineForm form, const std::string& name,
                             std::string& plain) const {
    return UnescapeText(text, plain) && !SurvivesAsText(form, name, plain);
}

bool TElIniFile::NameIsOurs(const std::string& text, LineForm form, std::string& plain) const {
    if (!UnescapeText(text, plain)) return false;
    // Names that are left out of their lines are never written escaped.
    if (form == LineForm::Named && (plain.empty() || plain[0] == '#')) return false;
    return !SurvivesAsText(form, plain, "x");
}

bool TElIniFile::HeaderSurvives(const std::string& path) const {
    std::string plain;
    return path.find_first_of("\r\n") == std::string::npos && !HeaderIsOurs(path, plain);
}

bool TElIniFile::HeaderIsOurs(const std::string& text, std::string& plain) const {
    return UnescapeText(text, plain) && !HeaderSurvives(plain);
}

void TElIniFile::WriteTextKey(const TElIniEntry* key, const std::string& path, std::string& out) const {
    auto line = [&out](const std::string& s) { out += s + "\r\n"; };
    // A name that does not survive is escaped; its value is then checked behind a neutral name.
    auto nameText = [&](const std::string& name, LineForm form, std::string& checkName) {
        if (SurvivesAsText(form, name, "x")) {
            checkName = name;
            return name;
        }
        checkName = "n";
        return EscapeText(name);
    };
    if (!path.empty()) {
        line("");
        // Key names may hold line breaks: such a header is written escaped like a value.
        line("[" + (HeaderSurvives(path) ? path : EscapeText(path)) + "]");
        // A key's own value: "=" with no name reads back into the key.
        if (key->ValueType != kIniNone && key->ValueType != kIniMultiString) {
            std::string text = TextOfValue(key);
            if (key->ValueType == kIniString && !SurvivesAsText(LineForm::Own, "", text)) text = EscapeText(text);
            line(std::string(1, divChar_) + text);
        }
    }
    for (const auto& c : key->Children) {
        if (c->IsKey || c->ValueType == kIniNone) continue;
        std::string checkName;
        if (c->ValueType == kIniMultiString) {
            std::string written = nameText(c->Name, LineForm::Element, checkName);
            for (size_t i = 0; i < c->MultiValue.size(); ++i) {
                const std::string& l = c->MultiValue[i];
                line(written + "[" + std::to_string(i) + "]" + divChar_ +
                     (SurvivesAsText(LineForm::Element, checkName, l) ? l : EscapeText(l)));
            }
            continue;
        }
        std::string text = TextOfValue(c.get());
        if (c->Name.empty() || c->Name[0] == '#') {
            if (c->ValueType == kIniString && !SurvivesAsText(LineForm::Bare, "", text)) text = EscapeText(text);
            line(text);
            continue;
        }
        std::string written = nameText(c->Name, LineForm::Named, checkName);
        if (c->ValueType == kIniString && !SurvivesAsText(LineForm::Named, checkName, text)) text = EscapeText(text);
        line(written + divChar_ + text);
    }
    for (const auto& c : key->Children)
        if (c->IsKey) WriteTextKey(c.get(), path.empty() ? c->Name : path + delimiter_ + c->Name, out);
}

std::string TElIniFile::WriteText() const {
    std::string out;
    if (!warningMessage_.empty()) out += comment_ + warningMessage_ + "\r\n";
    WriteTextKey(root_.get(), "", out);
    return out;
}

void TElIniFile::WriteBinaryKey(const TElIniEntry* key, const std::string& path, std::string& out) const {
    out += static_cast<char>(kKeyRecord);
    PutString(out, path);
    auto value = [&](const std::string& name, const TElIniEntry* v) {
        std::string data;
        switch (v->ValueType) {
        case kIniBool: data += static_cast<char>(v->BoolValue ? 1 : 0); break;
        case kIniInteger: PutInt(data, v->IntValue); break;
        case kIniString: PutString(data, v->StringValue); break;
        case kIniMultiString:
            for (const auto& l : v->MultiValue) PutString(data, l);
            break;
        case kIniBinary:
            PutInt(data, static_cast<int32_t>(v->BinaryValue.size()));
            data.append(v->BinaryValue.begin(), v->BinaryValue.end());
            break;
        case kIniInt64Pair:
            PutInt(data, v->IntValue);
            PutInt(data, v->SecondValue);
            break;
        default: return;
        }
        out += static_cast<char>(kValueRecord);
        PutString(out, name);
        out += static_cast<char>(v->ValueType);
        PutInt(out, static_cast<int32_t>(data.size()));
        out += data;
    };
    if (key != root_.get()) value("", key);
    for (const auto& c : key->Children)
        if (!c->IsKey) value(c->Name, c.get());
    for (const auto& c : key->Children)
        if (c->IsKey) WriteBinaryKey(c.get(), path.empty() ? c->Name : path + delimiter_ + c->Name, out);
}

std::string TElIniFile::WriteBinary() const {
    std::string out;
    WriteBinaryKey(root_.get(), "", out);
    return out;
}

bool TElIniFile::ParseBinary(const std::string& data) {
    Reader r(data);
    TElIniEntry* target = root_.get();
    while (r.Remaining() > 0) {
        uint8_t tag = 0;
        r.Byte(tag);
        if (tag == kKeyRecord) {
            std::string path;
            if (!r.String(path)) return false;
            if (path.empty() || path[0] != delimiter_) path.insert(path.begin(), delimiter_);
            target = OpenFileKey(path, true) ? currentKey_ : nullptr;
            continue;
        }
        if (tag != kValueRecord) return false;
        std::string name;
        uint8_t type = 0;
        int32_t size = 0;
        if (!r.String(name) || !r.Byte(type) || !r.Int(size) || size < 0 || static_cast<size_t>(size) > r.Remaining())
            return false;
        const size_t valueEnd = r.pos + static_cast<size_t>(size);
        if (!target || type == kIniNone || type > kIniInt64Pair) {
            r.pos = valueEnd;
            continue;
        }
        // The value's own data may not run past the size its record gives.
        Reader v(data);
        v.pos = r.pos;
        v.end = valueEnd;
        TElIniEntry parsed;
        parsed.ValueType = type;
        switch (type) {
        case kIniBool: {
            uint8_t b = 0;
            if (!v.Byte(b)) return false;
            parsed.BoolValue = b != 0;
            break;
        }
        case kIniInteger:
            if (!v.Int(parsed.IntValue)) return false;
            break;
        case kIniString:
            if (!v.String(parsed.StringValue)) return false;
            break;
        case kIniMultiString:
            while (v.Remaining() > 0) {
                std::string l;
                if (!v.String(l)) return false;
                parsed.MultiValue.push_back(std::move(l));
            }
            break;
        case kIniBinary: {
            int32_t len = 0;
            if (!v.Int(len) || len < 0 || static_cast<size_t>(len) > v.Remaining()) return false;
            parsed.BinaryValue.assign(data.begin() + static_cast<std::ptrdiff_t>(v.pos),
                                      data.begin() + static_cast<std::ptrdiff_t>(v.pos + static_cast<size_t>(len)));
            break;
        }
        case kIniInt64Pair:
            if (!v.Int(parsed.IntValue) || !v.Int(parsed.SecondValue)) return false;
            break;
        }
        r.pos = valueEnd;
        TElIniEntry* node = name.empty() && target != root_.get() ? target : FindChild(target, name);
        if (!node) {
            auto fresh = std::make_unique<TElIniEntry>();
            fresh->Name = name;
            node = target->Append(std::move(fresh));
        }
        node->ClearValue();
        node->ValueType = parsed.ValueType;
        node->BoolValue = parsed.BoolValue;
        node->IntValue = parsed.IntValue;
        node->SecondValue = parsed.SecondValue;
        node->StringValue = std::move(parsed.StringValue);
        node->MultiValue = std::move(parsed.MultiValue);
        node->BinaryValue = std::move(parsed.BinaryValue);
    }
    return true;
}

}  // namespace kvt::ui
