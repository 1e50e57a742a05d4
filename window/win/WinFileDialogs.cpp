#include "window/win/WinFileDialogs.h"

#include <commdlg.h>
#include <shlobj.h>

#include <string>

#include "base/UTFConversion.h"
#include "platform/win/WinText.h"
#include "window/FileDialogText.h"
#include "window/win/WinOleScope.h"

namespace ifx {
namespace igfx {

bool AskForFile(HWND owner, IString& fileName, IString& path, int action, const char* extensions)
{
  if (!owner)
  {
    fileName.Set("");
    return false;
  }
  wchar_t file[MAX_PATH];
  ConvertUtf8ToWide(reinterpret_cast<char16_t*>(file), fileName.Get(), MAX_PATH);

  IString patterns, defaultExt;
  MakeFileFilter(extensions, patterns, defaultExt);
  const std::wstring widePatterns = Widen(patterns.Get());
  // Display text and pattern, each with its terminator, then the list's own.
  std::wstring filter = widePatterns + L'\0' + widePatterns + L'\0';
  const std::wstring wideDefaultExt = Widen(defaultExt.Get());
  const std::wstring initialDir = Widen(path.Get());

  OPENFILENAMEW ofn = {};
  ofn.lStructSize = sizeof(ofn);
  ofn.hwndOwner = owner;
  ofn.lpstrFilter = widePatterns.empty() ? nullptr : filter.c_str();
  ofn.lpstrFile = file;
  ofn.nMaxFile = MAX_PATH - 1;
  ofn.lpstrInitialDir = initialDir.empty() ? nullptr : initialDir.c_str();
  ofn.lpstrDefExt = wideDefaultExt.empty() ? nullptr : wideDefaultExt.c_str();
  BOOL chosen;
  if (action == kFileSave)
  {
    ofn.Flags = OFN_OVERWRITEPROMPT | OFN_PATHMUSTEXIST;
    chosen = GetSaveFileNameW(&ofn);
  }
  else
  {
    ofn.Flags = OFN_PATHMUSTEXIST | OFN_FILEMUSTEXIST;
    chosen = GetOpenFileNameW(&ofn);
  }
  if (!chosen)
  {
    fileName.Set("");
    return false;
  }
  IString chosenPath;
  if (!ConvertWideToUtf8(reinterpret_cast<const char16_t*>(file), MAX_PATH, chosenPath) || chosenPath.Empty())
  {
    fileName.Set("");
    return false;
  }
  fileName.Set(chosenPath.Get());
  DirectoryOfPath(fileName.Get(), path);
  return true;
}

bool AskForDirectory(HWND owner, IString& directory)
{
  directory.Set("");
  // The new-style dialog needs OLE on this thread.
  OleScope ole;
  wchar_t displayName[MAX_PATH];
  BROWSEINFOW info = {};
  info.hwndOwner = owner;
  info.pszDisplayName = displayName;
  info.lpszTitle = L"Choose a Directory";
  info.ulFlags = BIF_NEWDIALOGSTYLE | BIF_EDITBOX;
  PIDLIST_ABSOLUTE items = SHBrowseForFolderW(&info);
  if (!items)
    return false;
  wchar_t folder[MAX_PATH];
  const bool onDisk = SHGetPathFromIDListW(items, folder) != FALSE;
  // The item list is ours to free.
  CoTaskMemFree(items);
  if (!onDisk || !ConvertWideToUtf8(reinterpret_cast<const char16_t*>(folder), MAX_PATH, directory) ||
      directory.Empty())
  {
    directory.Set("");
    return false;
  }
  // A drive's root already ends with its separator.
  const char last = directory.Get()[directory.GetLength() - 1];
  if (last != '\\' && last != '/')
    directory.Append("\\");
  return true;
}

} // namespace igfx
} // namespace ifx
