#include "support/shortcut_reader.h"

#include <windows.h>

#include <shlobj.h>

std::optional<LinkInfo> ReadShortcut(const std::string& linkPath) {
    CoInitialize(nullptr);
    std::optional<LinkInfo> info;
    IShellLinkA* link = nullptr;
    IPersistFile* file = nullptr;
    if (SUCCEEDED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                   reinterpret_cast<void**>(&link))) &&
        SUCCEEDED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file)))) {
        wchar_t wide[MAX_PATH];
        MultiByteToWideChar(CP_ACP, 0, linkPath.c_str(), -1, wide, MAX_PATH);
        if (SUCCEEDED(file->Load(wide, STGM_READ))) {
            char text[MAX_PATH] = {};
            LinkInfo read;
            link->GetPath(text, sizeof text, nullptr, 0);
            read.target = text;
            link->GetDescription(text, sizeof text);
            read.description = text;
            link->GetArguments(text, sizeof text);
            read.arguments = text;
            link->GetWorkingDirectory(text, sizeof text);
            read.workingFolder = text;
            info = read;
        }
    }
    if (file) file->Release();
    if (link) link->Release();
    CoUninitialize();
    return info;
}
