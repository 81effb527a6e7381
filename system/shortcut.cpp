#include "system/shortcut.h"

#include <windows.h>
#include <objidl.h>
#include <shlobj.h>

#include "container/errors.h"
#include "system/handles.h"
#include "system/path.h"
#include "system/system_error.h"

namespace tidemark {

namespace {

// The shell link's class and interfaces, defined here: libuuid keeps its
// GUIDs in one object, which would add about 1.7 KB of others to the stub.
constexpr CLSID kShellLinkClass = {0x00021401, 0, 0, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};
constexpr IID kUnknownInterface = {0x00000000, 0, 0, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};
constexpr IID kShellLinkInterface = {0x000214EE, 0, 0, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};
constexpr IID kPersistFileInterface = {0x0000010B, 0, 0, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};

template <typename Interface>
ComPtr<Interface> QueryRequired(IUnknown* object, REFIID id) {
  ComPtr<Interface> result;
  if (FAILED(object->QueryInterface(id, result.ReceiveVoid())) || !result) {
    throw Error("Interface not supported");
  }
  return result;
}

void WriteShortcut(const std::string& description, const wchar_t* link_path,
                   const std::string& target) {
  ComPtr<IUnknown> object;
  const HRESULT created =
      CoCreateInstance(kShellLinkClass, nullptr, CLSCTX_INPROC_SERVER | CLSCTX_LOCAL_SERVER,
                       kUnknownInterface, object.ReceiveVoid());
  if (FAILED(created)) throw Error(OleErrorText(created));
  if (!object) throw Error("Interface not supported");

  ComPtr<IShellLinkA> link = QueryRequired<IShellLinkA>(object.get(), kShellLinkInterface);
  ComPtr<IPersistFile> file = QueryRequired<IPersistFile>(object.get(), kPersistFileInterface);

  // The shell reports refusals through these results; a link that cannot be
  // written is simply not there, which the caller may check for itself.
  link->SetPath(target.c_str());
  link->SetDescription(description.c_str());
  link->SetWorkingDirectory(AnsiFolderPart(target).c_str());
  file->Save(link_path, FALSE);
}

}  // namespace

void CreateShortcut(const std::string& description, const std::wstring& link_path,
                    const std::string& target) {
  WriteShortcut(description, link_path.c_str(), target);
}

void CreateShortcut(const std::string& description, const std::string& link_path,
                    const std::string& target) {
  WriteShortcut(description, AnsiToWideChars(link_path).data(), target);
}

}  // namespace tidemark
