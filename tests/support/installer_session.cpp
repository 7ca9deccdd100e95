#include "support/installer_session.h"

#include <shlobj.h>

#include "support/dialog_answerer.h"
#include "support/install_fixture.h"

InstallerSession::InstallerSession(const std::optional<ByteVector>& payload)
    : InstallerDriver(CopyProgram("installer_bare.exe", payload)) {}

InstallerSession::InstallerSession(const std::string& program, const std::string& workingFolder,
                                   const std::wstring& environment)
    : InstallerDriver(program, workingFolder, environment) {}

std::string InstallerSession::AcceptAnswering(int serverAnswer) {
    Press(AcceptId);
    HWND question = WaitForBox();
    if (question == nullptr) return "";
    PressDialogButton(question, serverAnswer);
    HWND done = WaitForBox();
    if (done == nullptr) return "";
    std::string outcome = BoxText(done);
    PressDialogButton(done, IDOK);
    return outcome;
}

std::string CommonProductFolder() {
    char path[MAX_PATH] = {};
    SHGetFolderPathA(nullptr, CSIDL_COMMON_DOCUMENTS, nullptr, 0, path);
    std::string folder(path);
    while (!folder.empty() && folder.back() == '\\') folder.pop_back();
    return folder.substr(0, folder.find_last_of('\\') + 1) + "OrvNet";
}
