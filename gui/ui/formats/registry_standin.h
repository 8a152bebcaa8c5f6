// Our stand-in for the per-user registry that the settings store and the sound map expect: keys of
// typed values under five roots, kept for the whole process in one file of our own format under
// the user's configuration folder. Never loses a file it could not read: such a hive is read-only.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace kvt::ui {

enum class TRegRootType {
    rrtUnknown,
    rrtHKEY_CLASSES_ROOT,
    rrtHKEY_CURRENT_USER,
    rrtHKEY_LOCAL_MACHINE,
    rrtHKEY_USERS,
    rrtHKEY_CURRENT_CONFIG
};

// The kinds of value the registry holds, numbered as in its own data.
enum class RegValueKind : uint8_t { String = 1, ExpandString = 2, Binary = 3, DWord = 4, MultiString = 7 };

struct RegValue {
    std::string name;  // empty for the key's default value
    RegValueKind kind = RegValueKind::String;
    std::string text;                 // String, ExpandString
    std::vector<std::string> lines;   // MultiString
    uint32_t dword = 0;               // DWord
    std::vector<uint8_t> bytes;       // Binary
};

// The file the hive lives in: <configuration folder>/kvt/registry.txt unless set (tests point it
// at a folder of their own). Setting it drops the hive in memory; the next access reads the file.
std::string RegistryFile();
void SetRegistryFile(const std::string& path);
// The user's configuration folder as the desktop defines it ($XDG_CONFIG_HOME, else ~/.config).
std::string UserConfigFolder();
// False when the registry file exists but could not be read; writes then fail until it is fixed.
bool RegistryWritable();

// A key: its name, its values in order and its subkeys in order; names compare ignoring case.
struct RegKeyNode {
    std::string name;
    std::vector<RegValue> values;
    std::vector<RegKeyNode> keys;
};

// The registry file's text and back; the parser refuses any line it does not understand.
std::string WriteRegistryText(const RegKeyNode& hiveRoot);
bool ParseRegistryText(const std::string& text, RegKeyNode& hiveRoot);

// One accessor, as each settings store in registry mode owns one. Paths are absolute below the
// accessor's root, components separated by "\" (a leading "\" is optional).
class TRegistry {
public:
    explicit TRegistry(TRegRootType root);
    ~TRegistry();
    TRegistry(const TRegistry&) = delete;
    TRegistry& operator=(const TRegistry&) = delete;

    void SetLazyWrite(bool lazy) { lazyWrite_ = lazy; }
    bool LazyWrite() const { return lazyWrite_; }

    bool OpenKey(const std::string& path, bool canCreate);
    // The open key's path with a leading "\" ("\" for the root itself).
    std::string CurrentPath() const;
    // Reopens the nearest ancestor of the open key that still exists; true when it had to move.
    bool MoveToExistingKey();

    bool KeyExists(const std::string& path) const;
    bool DeleteKey(const std::string& path);
    bool DeleteValue(const std::string& name);
    bool ValueExists(const std::string& name) const;
    bool GetKeyNames(std::vector<std::string>& names) const;
    bool GetValueNames(std::vector<std::string>& names) const;
    bool RenameValue(const std::string& oldName, const std::string& newName);
    // The value of the open key; false when absent.
    bool ReadValue(const std::string& name, RegValue& value) const;
    bool WriteValue(const RegValue& value);
    bool WriteString(const std::string& name, const std::string& text);
    bool WriteDWord(const std::string& name, uint32_t value);

private:
    RegKeyNode* Root() const;
    RegKeyNode* Current() const;
    bool Changed();

    std::string rootName_;
    std::vector<std::string> current_;  // components below the root, as the caller spelt them
    bool lazyWrite_ = true;
};

}  // namespace kvt::ui
