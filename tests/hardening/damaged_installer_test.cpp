// The real installer carrying a damaged payload, driven from outside: every
// kind of damage ends in "Error de instalación", writes nothing outside the
// product folder, and leaves no package archive in the temporary folder.
#include <gtest/gtest.h>
#include "common/byte_order.h"
#include <shlobj.h>

#include <filesystem>
#include <functional>

#include "app/accept_flow.h"
#include "install/run_install.h"
#include "install/run_record.h"
#include "support/install_fixture.h"
#include "support/installer_session.h"
#include "support/dialog_answerer.h"
#include "support/stored_cabinet.h"

namespace fs = std::filesystem;

namespace {

std::string CommonBase() {
    char path[MAX_PATH] = {};
    SHGetFolderPathA(nullptr, CSIDL_COMMON_DOCUMENTS, nullptr, 0, path);
    std::string folder(path);
    return folder.substr(0, folder.find_last_of('\\'));
}

ByteVector BuiltPayload() {
    std::string bytes = ReadText(BesideTestProgram("hardening_payload.cab"));
    return ByteVector(bytes.begin(), bytes.end());
}

enum class BlockPart { Data, Checksum };

// Changes one byte of block `which` of the cabinet (0 the first, -1 the
// last): in the middle of its compressed data, or in its checksum field.
// Only that block's checksum then fails; the framing stays intact.
ByteVector WithBlockDamaged(ByteVector cabinet, int which, BlockPart part) {
    const size_t folder = 36;
    size_t offset = ReadU32(&cabinet[folder]);
    unsigned blocks = ReadU16(&cabinet[folder + 4]);
    unsigned target = which < 0 ? blocks - 1 : unsigned(which);
    for (unsigned i = 0; i < target; ++i) offset += 8 + ReadU16(&cabinet[offset + 4]);
    size_t dataLength = ReadU16(&cabinet[offset + 4]);
    cabinet[part == BlockPart::Data ? offset + 8 + dataLength / 2 : offset + 1] ^= 0x5A;
    return cabinet;
}

ByteVector Stored(const ByteVector& archive) { return StoredCabinet(archive, "OrvNet.smx"); }

// A payload of several blocks (the sample product packs into one), stored
// so that the system's decompressor would hand a changed byte on unseen:
// only the block checksums show it.
ByteVector SeveralBlocks() {
    ArchiveBuilder archive("OrvNet");
    archive.File("OrvNet.exe", "main program").File("Data.bin", std::string(5 * 32768, 'd'));
    return Stored(archive.Finish());
}

std::optional<ByteVector> Damaged(ByteVector cabinet, int which, BlockPart part) {
    return WithBlockDamaged(std::move(cabinet), which, part);
}

ArchiveBuilder GoodStart() {
    ArchiveBuilder archive("OrvNet");
    archive.File("OrvNet.exe", "main program").Directory("Data").File("Data\\a.tbl", "table");
    return archive;
}

struct Damage {
    const char* what;
    std::function<std::optional<ByteVector>()> payload;
    // True when the run stops before anything is written below the product
    // folder (the damage is found before the walk).
    bool stopsBeforeWalk;
};

const Damage kDamages[] = {
    {"cabinet truncated",
     [] {
         ByteVector cabinet = BuiltPayload();
         cabinet.resize(cabinet.size() / 2);
         return std::optional<ByteVector>(cabinet);
     },
     true},
    {"a byte of the MSZIP block changed", [] { return Damaged(BuiltPayload(), 0, BlockPart::Data); }, true},
    {"a byte of the first block changed", [] { return Damaged(SeveralBlocks(), 0, BlockPart::Data); }, true},
    {"a byte of a middle block changed", [] { return Damaged(SeveralBlocks(), 3, BlockPart::Data); }, true},
    {"a byte of the last block changed", [] { return Damaged(SeveralBlocks(), -1, BlockPart::Data); }, true},
    {"a block's checksum field changed", [] { return Damaged(SeveralBlocks(), 2, BlockPart::Checksum); }, true},
    {"payload resource missing", [] { return std::optional<ByteVector>(); }, true},
    {"payload resource empty", [] { return std::optional<ByteVector>(ByteVector{}); }, true},
    {"not a cabinet", [] { return std::optional<ByteVector>(Text("MZ this is no cabinet")); }, true},
    {"archive shorter than its root header",
     [] {
         ByteVector root = Header(0, "OrvNet", 1);
         root.resize(100);
         return std::optional<ByteVector>(Stored(root));
     },
     true},
    {"root name leaves the install base",
     [] {
         ArchiveBuilder archive("..");
         archive.File("escaped.txt", "evil");
         return std::optional<ByteVector>(Stored(archive.Finish()));
     },
     true},
    {"last content runs past the end of the archive",
     [] {
         ArchiveBuilder archive = GoodStart();
         archive.Raw(2, "cut.txt", 5000, Text("only a little"));
         return std::optional<ByteVector>(Stored(archive.Finish()));
     },
     false},
    {"last header cut short",
     [] {
         ByteVector archive = GoodStart().Finish();
         ByteVector header = Header(2, "late.txt", 0);
         archive.insert(archive.end(), header.begin(), header.begin() + 90);
         return std::optional<ByteVector>(Stored(archive));
     },
     false},
    {"last header cut before its name",
     [] {
         ByteVector archive = GoodStart().Finish();
         ByteVector header = Header(1, "Lost", 0);
         archive.insert(archive.end(), header.begin(), header.begin() + 5);
         return std::optional<ByteVector>(Stored(archive));
     },
     false},
    {"names escaping the product folder",
     [] {
         ArchiveBuilder archive = GoodStart();
         archive.File("..\\escaped.txt", "evil")
             .File("\\escaped.txt", "evil")
             .File("C:\\escaped.txt", "evil")
             .File("Data\\..\\..\\escaped.txt", "evil")
             .Directory("..\\EscapedFolder")
             .File("Sm..\\..\\escaped.dll", "evil", false, true)
             .File("..\\escaped.dll", "evil", false, true);
         return std::optional<ByteVector>(Stored(archive.Finish()));
     },
     false},
};

void PrintTo(const Damage& damage, std::ostream* out) { *out << damage.what; }

class DamagedInstaller : public ::testing::TestWithParam<Damage> {
protected:
    std::string base = CommonBase();
    MachineFolders machine = ReadMachineFolders();
    std::string Product() const { return base + "\\OrvNet"; }
};

TEST_P(DamagedInstaller, EndsInErrorAndWritesNothingOutsideTheProductFolder) {
    const Damage& damage = GetParam();
    std::vector<std::string> baseBefore = ListTree(base);
    std::vector<std::string> systemBefore = ListTree(machine.system);

    InstallerSession session(damage.payload());
    session.Press(AcceptId);
    std::vector<std::string> texts;
    for (HWND box = session.WaitForBox(); box != nullptr; box = session.WaitForBox()) {
        texts.push_back(session.BoxText(box));
        bool question = texts.back() == ServerQuestionText;
        PressDialogButton(box, question ? IDNO : IDOK);
        if (!question) break;
    }
    ASSERT_FALSE(texts.empty()) << damage.what;
    EXPECT_EQ(texts.back(), FailedText) << damage.what;
    session.Press(LeaveId);
    EXPECT_EQ(session.WaitForExit(), 0u) << damage.what;

    // Below the install base only the product folder, and after the walk
    // the desktop shortcut of a fresh installation, may have appeared.
    auto outsideProduct = [&](const std::vector<std::string>& entries) {
        std::vector<std::string> outside;
        for (const std::string& entry : entries) {
            bool product = entry.rfind("OrvNet\\", 0) == 0;
            bool shortcut = !damage.stopsBeforeWalk && entry == "Desktop\\OrvNet.lnk";
            if (!product && !shortcut) outside.push_back(entry);
        }
        return outside;
    };
    EXPECT_EQ(outsideProduct(ListTree(base)), outsideProduct(baseBefore)) << damage.what;
    EXPECT_EQ(ListTree(machine.system), systemBefore) << damage.what;
    for (const char* name : {"escaped.txt", "escaped.dll", "EscapedFolder"}) {
        EXPECT_FALSE(fs::exists(base + "\\" + name)) << damage.what << ": " << name;
        EXPECT_FALSE(fs::exists(std::string("C:\\") + name)) << damage.what << ": " << name;
        EXPECT_FALSE(fs::exists(machine.windows + "\\" + name)) << damage.what << ": " << name;
    }
    EXPECT_FALSE(fs::exists(machine.temp + "\\OrvNet.smx")) << damage.what;
    // For support: the record of the failed run, with at least one failed
    // step, in the temporary folder.
    std::string record = machine.temp + "\\" + RunRecordName;
    ASSERT_TRUE(fs::exists(record)) << damage.what;
    std::string text = ReadText(record);
    EXPECT_NE(text.find("\r\nFallo: "), std::string::npos) << damage.what << ":\n" << text;
    EXPECT_NE(text.find("\r\nResultado: Error de instalación\r\n"), std::string::npos) << damage.what;
    DeleteFileA(record.c_str());

    if (damage.stopsBeforeWalk) {
        EXPECT_FALSE(fs::exists(Product())) << damage.what;
    } else {
        // The sound records are laid out; the damaged one is not.
        EXPECT_EQ(ReadText(Product() + "\\OrvNet.exe"), "main program") << damage.what;
        EXPECT_EQ(ReadText(Product() + "\\Data\\a.tbl"), "table") << damage.what;
        EXPECT_FALSE(fs::exists(Product() + "\\cut.txt")) << damage.what;
        EXPECT_FALSE(fs::exists(Product() + "\\late.txt")) << damage.what;
    }
}

std::string CaseName(const ::testing::TestParamInfo<Damage>& info) {
    std::string name;
    for (const char* p = info.param.what; *p != '\0'; ++p) name += std::isalnum(static_cast<unsigned char>(*p)) ? *p : '_';
    return name;
}

INSTANTIATE_TEST_SUITE_P(Payloads, DamagedInstaller, ::testing::ValuesIn(kDamages), CaseName);

}  // namespace
