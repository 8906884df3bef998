#include <windows.h>

#include <string>

#include "common/own_resources.h"
#include "common/resource_tree.h"
#include "common/win32/wide_text.h"

namespace lf {
namespace {

// The name as the resource functions take it: an integer id or a wide string.
class ResourceKey {
  public:
    explicit ResourceKey(const ResourceName& name)
        : text_(name.Name().begin(), name.Name().end()),
          pointer_(name.IsId() ? MAKEINTRESOURCEW(name.Id()) : text_.c_str()) {}
    const wchar_t* Get() const { return pointer_; }

  private:
    std::wstring text_;
    const wchar_t* pointer_;
};

}  // namespace

// The loader maps the program's resources for its whole life, so the view never dangles. The
// catalogue's language comes first, as in every other reader; else any language.
Result<ByteView> ReadOwnResource(const ResourceName& type, const ResourceName& name) {
    const HMODULE self = GetModuleHandleW(nullptr);
    const ResourceKey typeKey(type), nameKey(name);
    HRSRC found = FindResourceExW(self, typeKey.Get(), nameKey.Get(), kLanguageChinesePrc);
    if (!found) found = FindResourceW(self, nameKey.Get(), typeKey.Get());
    if (!found) {
        return Fail(Error::Kind::NotFound,
                    "no resource " + type.ToString() + "/" + name.ToString() + " in the program");
    }
    const HGLOBAL loaded = LoadResource(self, found);
    const void* data = loaded ? LockResource(loaded) : nullptr;
    if (!data)
        return Fail(Error::Kind::Io,
                    "cannot load resource " + name.ToString() + ": " + LastErrorText());
    return ByteView(static_cast<const std::uint8_t*>(data), SizeofResource(self, found));
}

}  // namespace lf
