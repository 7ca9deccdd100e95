#pragma once
// The tests' installer session: the installer driven from outside (see
// drive/installer_driver.h), started from a copy of the bare installer with
// a payload bound to it, and the fresh installation's conversation.
#include <windows.h>

#include <optional>
#include <string>

#include "drive/installer_driver.h"
#include "support/archive_builder.h"

class InstallerSession : public InstallerDriver {
public:
    // A copy of the bare installer with this payload bound to it.
    explicit InstallerSession(const std::optional<ByteVector>& payload);
    // An installer program as it is (see InstallerDriver).
    explicit InstallerSession(const std::string& program, const std::string& workingFolder = "",
                              const std::wstring& environment = L"");

    // A fresh installation's conversation: presses Acepto, answers the
    // server question with `serverAnswer` and confirms the outcome box. The
    // outcome's text, or "" when a box did not come.
    std::string AcceptAnswering(int serverAnswer);
};

// Where a fresh installation goes when the user has no documents folder of
// their own: "OrvNet" beside the common documents folder.
std::string CommonProductFolder();
