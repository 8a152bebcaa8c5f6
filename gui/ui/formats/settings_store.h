// The settings store: a tree of keys and typed values kept in an ini-style text file, a binary
// record file, or our registry stand-in. Never saves over a file that it failed to read, and
// replaces a file only through a temporary file that is renamed into place.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "gui/ui/formats/registry_standin.h"

namespace kvt::ui {

// Misuse of the store (operations that do not exist in registry mode).
class EElIniError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// A settings file that cannot be opened.
class EElFileError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Value types as the binary file numbers them.
enum : uint8_t {
    kIniNone = 0,
    kIniBool = 1,
    kIniInteger = 2,
    kIniString = 3,
    kIniMultiString = 4,
    kIniBinary = 5,
    kIniInt64Pair = 6
};

class TElIniEntry {
public:
    std::vector<std::unique_ptr<TElIniEntry>> Children;
    bool IsKey = false;
    TElIniEntry* Parent = nullptr;
    uint8_t ValueType = kIniNone;
    bool BoolValue = false;
    int32_t IntValue = 0;                  // type 2; type 6: the first part
    int32_t SecondValue = 0;               // type 6: the second part
    std::string StringValue;               // type 3
    std::vector<std::string> MultiValue;   // type 4
    std::vector<uint8_t> BinaryValue;      // type 5
    std::string Name;

    void ClearValue();
    TElIniEntry* Append(std::unique_ptr<TElIniEntry> child);
};

// False when a key name holds a character below 32, "*" or "?" (an empty name is valid).
bool IsValidKeyName(const std::string& name);

class TElIniFile {
public:
    TElIniFile();
    virtual ~TElIniFile();
    TElIniFile(const TElIniFile&) = delete;
    TElIniFile& operator=(const TElIniFile&) = delete;

    // Properties.
    bool BinaryMode() const { return binaryMode_; }
    void SetBinaryMode(bool v) { binaryMode_ = v; }
    const std::string& Comment() const { return comment_; }
    void SetComment(const std::string& v) { comment_ = v; }
    char Delimiter() const { return delimiter_; }
    void SetDelimiter(char v);
    char DivChar() const { return divChar_; }
    void SetDivChar(char v) { divChar_ = v; }
    bool LazyWrite() const { return lazyWrite_; }
    void SetLazyWrite(bool v);
    const std::string& Path() const { return path_; }
    void SetPath(const std::string& v);
    bool Simple() const { return simple_; }
    void SetSimple(bool v);
    TRegRootType RegRoot() const;
    void SetRegRoot(TRegRootType v);
    bool UseRegistry() const { return useRegistry_; }
    void SetUseRegistry(bool v);
    const std::string& WarningMessage() const { return warningMessage_; }
    void SetWarningMessage(const std::string& v) { warningMessage_ = v; }
    std::function<void(TElIniFile*)> OnBeforeSave, OnAfterLoad, OnBeforeLoad, OnAfterSave;

    // After the properties are set, as a form does once it is read: loads the file, quietly.
    void Loaded();

    bool OpenKey(const std::string& key, bool canCreate);
    bool KeyExists(const std::string& key);
    virtual TElIniEntry* GetValueEntry(const std::string& key, const std::string& valueName);
    TElIniEntry* CreateValue(const std::string& key, const std::string& valueName);
    void SetValueType(const std::string& key, const std::string& valueName, uint8_t type);
    bool Delete(const std::string& key, const std::string& valueName);
    virtual bool ClearKey(const std::string& key);
    bool EnumSubKeys(const std::string& key, std::vector<std::string>& names);
    bool EnumValues(const std::string& key, std::vector<std::string>& names);
    bool RenameKey(const std::string& key, const std::string& newName);
    bool RenameValue(const std::string& key, const std::string& oldName, const std::string& newName);
    bool ReadBool(const std::string& key, const std::string& valueName, bool& value, bool defaultValue);
    bool ReadString(const std::string& key, const std::string& valueName, std::string& value,
                    const std::string& defaultValue);
    bool WriteString(const std::string& key, const std::string& valueName, const std::string& value);
    bool Load();
    bool Save();

    const std::string& CurrentPath() const { return currentPath_; }
    TElIniEntry* CurrentKey() const { return currentKey_; }
    TElIniEntry* Root() const { return root_.get(); }
    bool Modified() const { return modified_; }
    // True after a file at Path existed but could not be read: the store then refuses to save
    // until a load succeeds or Path changes, so the file is never replaced by what was lost.
    bool LoadFailed() const { return loadFailed_; }

    // Told when the store is destroyed (a sound map drops its reference to it).
    void AddFreeNotification(const void* who, std::function<void()> gone);
    void RemoveFreeNotification(const void* who);

    virtual void ParseLine(const std::string& line, std::string& name, bool& hasName, std::string& value);

protected:
    virtual void TriggerBeforeSave();
    virtual void TriggerAfterLoad();
    virtual void TriggerBeforeLoad();
    virtual void TriggerAfterSave();

private:
    struct SavedKey {
        TElIniEntry* key;
        std::string path;
    };
    SavedKey Remember() const { return {currentKey_, currentPath_}; }
    void Restore(const SavedKey& k);
    bool OpenFileKey(const std::string& key, bool canCreate);
    bool OpenRegistryKey(const std::string& key, bool canCreate);
    // Run op in key (from the current key, created if asked), then go back to the current key.
    // The registry's form answers whether the key opened and op succeeded; the file tree's
    // answers whether the key opened (op runs only then).
    bool InRegistryKey(const std::string& key, bool canCreate, const std::function<bool()>& op);
    bool InFileKey(const std::string& key, bool canCreate, const std::function<void()>& op);
    std::string RegistryKeyPath(const std::string& key) const;
    void SyncRegistryPath();
    void RequireFileMode(const char* message) const;
    void MarkModified() { modified_ = true; }
    void SaveUnlessLazy();
    bool SaveTo(const std::string& path);
    std::string PathOf(const TElIniEntry* key) const;
    void MoveOffDetached(TElIniEntry* removed);

    // Text and binary formats.
    void ParseText(const std::string& text);
    bool ParseBinary(const std::string& data);
    std::string WriteText() const;
    void WriteTextKey(const TElIniEntry* key, const std::string& path, std::string& out) const;
    std::string WriteBinary() const;
    void WriteBinaryKey(const TElIniEntry* key, const std::string& path, std::string& out) const;
    std::string TextOfValue(const TElIniEntry* v) const;
    enum class LineForm { Named, Bare, Element, Own };
    bool SurvivesAsText(LineForm form, const std::string& name, const std::string& value) const;
    bool ValueIsOurs(const std::string& text, LineForm form, const std::string& name, std::string& plain) const;
    bool NameIsOurs(const std::string& text, LineForm form, std::string& plain) const;
    bool HeaderSurvives(const std::string& path) const;
    bool HeaderIsOurs(const std::string& text, std::string& plain) const;
    void TypeValue(TElIniEntry* node, const std::string& text) const;

    bool binaryMode_ = false;
    std::string comment_ = ";";
    char delimiter_ = '\\';
    char divChar_ = '=';
    bool lazyWrite_ = true;
    std::string path_;
    bool simple_ = false;
    TRegRootType regRoot_ = TRegRootType::rrtHKEY_CURRENT_USER;
    bool useRegistry_ = false;
    std::string warningMessage_ = "Automatically generated file. DO NOT MODIFY!!!";

    std::unique_ptr<TElIniEntry> root_;
    TElIniEntry* currentKey_ = nullptr;
    std::string currentPath_;
    bool modified_ = false;
    bool loadFailed_ = false;
    std::unique_ptr<TRegistry> registry_;
    std::vector<std::pair<const void*, std::function<void()>>> freeNotifications_;
};

}  // namespace kvt::ui
