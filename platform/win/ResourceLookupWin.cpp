#include "platform/ResourceLookup.h"
#include "platform/win/ResourceLookupWin.h"
#include "platform/win/WinText.h"

#include <shlwapi.h>

namespace ifx {
namespace {

std::wstring Lower(std::wstring text)
{
  if (!text.empty())
    CharLowerBuffW(&text[0], static_cast<DWORD>(text.size()));
  return text;
}

std::wstring Upper(std::wstring text)
{
  if (!text.empty())
    CharUpperBuffW(&text[0], static_cast<DWORD>(text.size()));
  return text;
}

bool IsIntResourceId(LPCWSTR name) { return (reinterpret_cast<ULONG_PTR>(name) >> 16) == 0; }

HMODULE AsModule(void* module) { return static_cast<HMODULE>(module); }

} // namespace

BOOL CALLBACK MatchResourceNameCallback(HMODULE module, LPCWSTR type, LPWSTR name, LONG_PTR state)
{
  ResourceNameSearch* search = reinterpret_cast<ResourceNameSearch*>(state);
  if (!search || !name || IsIntResourceId(name))
    return TRUE;

  // Microsoft's resource compiler keeps the quotes of a quoted name, windres
  // drops them: strip them only when they are there, so both builds match.
  std::wstring bare(name);
  if (bare.size() >= 2 && bare.front() == L'"' && bare.back() == L'"')
    bare = bare.substr(1, bare.size() - 2);
  bare = Lower(bare);
  const std::string candidate = Narrow(bare.data(), static_cast<int>(bare.size()));
  if (candidate != search->wanted)
    return TRUE;

  search->found = Narrow(name, lstrlenW(name));
  search->isFound = !search->found.empty();
  return search->isFound ? FALSE : TRUE;
}

int FindResourceOrFile(const char* name, const char* type, IString& result, void* module)
{
  if (!name || !*name)
    return kResourceNotFound;

  const std::wstring wideName = Widen(name);
  const std::wstring lowerName = Lower(wideName);
  const std::wstring wideType = Upper(Widen(type));

  if (!lowerName.empty() && !wideType.empty())
  {
    ResourceNameSearch search;
    search.wanted = Narrow(lowerName.data(), static_cast<int>(lowerName.size()));
    if (!search.wanted.empty())
    {
      EnumResourceNamesW(AsModule(module), wideType.c_str(), &MatchResourceNameCallback,
                         reinterpret_cast<LONG_PTR>(&search));
      if (search.isFound)
      {
        result.Set(search.found.c_str());
        return kResourceEmbedded;
      }
    }
  }

  if (!wideName.empty() && PathFileExistsW(wideName.c_str()))
  {
    result.Set(name);
    return kResourceOnDisk;
  }
  return kResourceNotFound;
}

const void* LoadResourceData(const char* name, const char* type, int& size, void* module)
{
  const std::wstring wideName = Widen(name);
  const std::wstring wideType = Upper(Widen(type));
  if (wideName.empty() || wideType.empty())
    return nullptr;

  HRSRC info = FindResourceW(AsModule(module), wideName.c_str(), wideType.c_str());
  if (!info)
    return nullptr;
  const DWORD bytes = SizeofResource(AsModule(module), info);
  // Anything this short cannot be a font or an image; 0 also means failure.
  if (bytes <= 7 || bytes > 0x7FFFFFFF)
    return nullptr;
  HGLOBAL handle = LoadResource(AsModule(module), info);
  const void* data = handle ? LockResource(handle) : nullptr;
  if (!data)
  {
    size = 0;
    return nullptr;
  }
  size = static_cast<int>(bytes);
  return data;
}

} // namespace ifx
