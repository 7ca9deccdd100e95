#include "uninstall_run.h"

#include <windows.h>

#include <string>
#include <vector>

#include "common/product_names.h"
#include "machine_entries.h"
#include "outcome_message.h"
#include "platform/pc/pc.h"
#include "product_folder.h"
#include "removal_window.h"
#include "server_stop.h"
#include "tree_removal.h"
#include "uninstall_texts.h"

namespace {
constexpr size_t kMessageSize = 4096;

int Ask(const char* question) {
    return MessageBoxA(nullptr, question, UninstallCaption, MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON1);
}

// The registry's and the Windows folder's entries, with where each lives for
// the message when it stays.
void RemoveMachineEntries(const char* productFolder, std::vector<std::string>& leftovers) {
    auto note = [&](EntryOutcome outcome, const std::string& place) {
        if (outcome == EntryOutcome::Failed) leftovers.push_back(place);
    };
    std::string machine = "HKEY_LOCAL_MACHINE\\";
    note(RemoveServerAutostart(productFolder), machine + RunKey + "\\OrvServer");
    EntryOutcome uninstallEntry = RemoveUninstallEntry(productFolder);
    note(uninstallEntry, machine + UninstallKey);

    char place[PathBufferSize];
    note(RemoveDesktopShortcut(productFolder), std::string(ThePC->CommonDesktopFolder(place)) + ShortcutName);
    // The copy goes only when no uninstall entry runs it any more: another
    // installation's entry, or one that could not be removed, still does.
    if (uninstallEntry == EntryOutcome::Removed || uninstallEntry == EntryOutcome::Absent) {
        note(RemoveUninstallerCopy(), std::string(ThePC->WindowsFolder(place)) + UninstallerName);
    }
}
}  // namespace

int RunUninstall(const char* commandTail, SmAplicacion& application) {
    char folder[PathBufferSize];
    char message[kMessageSize];
    FolderRefusal refusal = CheckProductFolder(commandTail, folder, sizeof folder);
    if (refusal != FolderRefusal::None) {
        RefusalMessage(refusal, folder, message, sizeof message);
        MessageBoxA(nullptr, message, UninstallCaption, MB_OK | MB_ICONERROR);
        return ExitRefused;
    }
    if (Ask(RemoveQuestionText) != IDYES) return ExitCancelled;
    bool keepTables = Ask(KeepTablesQuestionText) != IDNO;

    TreeRemoval tree;
    std::vector<std::string> leftovers;
    {
        RemovalWindow window(application);
        window.SetText(StoppingServerText);
        StopServer();
        tree = RemoveProductTree(folder, keepTables, &window);
        leftovers = tree.leftovers;
        window.SetText(RemovingEntriesText);
        RemoveMachineEntries(folder, leftovers);
    }

    OutcomeMessage(folder, tree.keptTables, leftovers, message, sizeof message);
    MessageBoxA(nullptr, message, UninstallCaption, MB_OK | (leftovers.empty() ? MB_ICONINFORMATION : MB_ICONWARNING));
    return leftovers.empty() ? ExitRemoved : ExitLeftovers;
}
