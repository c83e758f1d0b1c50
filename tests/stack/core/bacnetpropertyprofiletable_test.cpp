// The generated property profile table: the committed files equal a fresh
// run of the generator over the profile lists, and the generator refuses
// malformed lists without touching its output.
#include "core/bacnetpropertyprofiletable.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <unistd.h>
#include <vector>

namespace ZalvoBACnetStack {
namespace {

namespace fs = std::filesystem;

const fs::path kSource = TARNWICK_SOURCE_DIR;
const fs::path kScript = kSource / "tools" / "gen_propertyprofiles.py";
constexpr const char* kTableFiles[] = {"bacnetpropertyprofiletable.h", "bacnetpropertyprofiletable.cpp"};

std::string ReadFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

void WriteFile(const fs::path& path, const std::string& text) {
    std::ofstream out(path, std::ios::binary);
    out << text;
}

bool HavePython() { return std::system("python3 -c pass >/dev/null 2>&1") == 0; }

// A fresh directory under the temporary directory, removed on destruction.
class TempDir {
public:
    explicit TempDir(const std::string& name)
        : path_(fs::temp_directory_path() / (name + "_" + std::to_string(::getpid()))) {
        fs::remove_all(path_);
        fs::create_directories(path_);
    }
    ~TempDir() { fs::remove_all(path_); }
    const fs::path& Path() const { return path_; }

private:
    fs::path path_;
};

// Runs the generator; returns its exit status and leaves its error output in `errors`.
int RunGenerator(const fs::path& profiles, const fs::path& output, std::string& errors) {
    const fs::path errorFile = output / "stderr.txt";
    const std::string command = "python3 '" + kScript.string() + "' '" + profiles.string() + "' '" +
                                output.string() + "' 2>'" + errorFile.string() + "'";
    const int status = std::system(command.c_str());
    errors = ReadFile(errorFile);
    fs::remove(errorFile);
    return status;
}

TEST(PropertyProfileTable, CommittedFilesMatchTheGenerator) {
    const fs::path profiles = fs::path(TARNWICK_SHARED_DIR) / "bacnet-profiles";
    if (!fs::is_directory(profiles)) GTEST_SKIP() << "no profile lists at " << profiles;
    if (!HavePython()) GTEST_SKIP() << "python3 is not available";
    ASSERT_TRUE(fs::exists(kScript));

    TempDir out("propertyprofiles");
    std::string errors;
    EXPECT_EQ(RunGenerator(profiles, out.Path(), errors), 0) << errors;
    EXPECT_EQ(errors, "");
    for (const char* file : kTableFiles) {
        SCOPED_TRACE(file);
        const std::string generated = ReadFile(out.Path() / file);
        EXPECT_FALSE(generated.empty());
        EXPECT_TRUE(generated == ReadFile(kSource / "stack" / "core" / file))
            << "the committed file differs from the generator's output; run tools/gen_propertyprofiles.py";
    }
}

constexpr const char* kHeader = "property\tname\trequired\twritable\tisArray\tisList\tdatatype\tasn1Type\n";
constexpr const char* kGoodRow = "75\tobjectIdentifier\t1\t0\t0\t0\t12\tBACnetObjectIdentifier\n";

struct BadListRow {
    const char* label;
    const char* fileName;
    std::string contents;
    const char* error;  // part of the generator's message
};

TEST(PropertyProfileTable, GeneratorRefusesMalformedLists) {
    if (!HavePython()) GTEST_SKIP() << "python3 is not available";
    ASSERT_TRUE(fs::exists(kScript));
    const std::string header = kHeader;
    const std::vector<BadListRow> rows = {
        // Control: a well-formed list is accepted.
        {"control", "0-analogInput.tsv", header + kGoodRow, nullptr},
        {"header missing", "0-analogInput.tsv", kGoodRow, "the header line must be"},
        {"columns missing", "0-analogInput.tsv", header + "75\tobjectIdentifier\t1\t0\t0\t0\t12\n",
         "expected 8 tab-separated columns, found 7"},
        {"property twice", "0-analogInput.tsv", header + kGoodRow + kGoodRow, "property 75 is listed twice"},
        {"flag not 0 or 1", "0-analogInput.tsv", header + "75\tobjectIdentifier\t2\t0\t0\t0\t12\tX\n",
         "required must be 0 or 1, not '2'"},
        {"writable but optional", "0-analogInput.tsv", header + "85\tpresentValue\t0\t1\t0\t0\t4\tREAL\n",
         "property 85 is writable but not required"},
        {"array and list", "0-analogInput.tsv", header + "371\tpropertyList\t1\t0\t1\t1\t9\tX\n",
         "property 371 cannot be both an array and a list"},
        {"datatype without a class", "0-analogInput.tsv", header + "85\tpresentValue\t1\t0\t0\t0\t13\tX\n",
         "datatype 13 has no value class"},
        {"datatype not a number", "0-analogInput.tsv", header + "85\tpresentValue\t1\t0\t0\t0\treal\tX\n",
         "datatype 'real' is not a decimal number"},
        {"property not a number", "0-analogInput.tsv", header + "x\tpresentValue\t1\t0\t0\t0\t4\tREAL\n",
         "property 'x' is not a decimal number"},
        {"property above 22 bits", "0-analogInput.tsv", header + "4194304\tbig\t1\t0\t0\t0\t4\tREAL\n",
         "property 4194304 is above 4194303"},
        {"empty asn1Type", "0-analogInput.tsv", header + "85\tpresentValue\t1\t0\t0\t0\t4\t\n",
         "the asn1Type column is empty"},
        {"no rows", "0-analogInput.tsv", header, "no properties"},
        {"badly named file", "analogInput.tsv", header + kGoodRow, "not named '<object type>-<objectTypeName>.tsv'"},
        {"object type above 10 bits", "1024-big.tsv", header + kGoodRow, "object type 1024 is above 1023"},
    };
    for (const BadListRow& row : rows) {
        SCOPED_TRACE(row.label);
        TempDir profiles("propertyprofiles_in");
        TempDir out("propertyprofiles_out");
        WriteFile(profiles.Path() / row.fileName, row.contents);
        std::string errors;
        const int status = RunGenerator(profiles.Path(), out.Path(), errors);
        if (row.error == nullptr) {
            EXPECT_EQ(status, 0) << errors;
            EXPECT_NE(ReadFile(out.Path() / "bacnetpropertyprofiletable.cpp").find("{75, 1, 0, 0, 0, 12},"),
                      std::string::npos);
            continue;
        }
        EXPECT_NE(status, 0);
        EXPECT_EQ(errors.rfind("gen_propertyprofiles: ", 0), 0u) << errors;
        EXPECT_NE(errors.find(row.error), std::string::npos) << errors;
        for (const char* file : kTableFiles) EXPECT_FALSE(fs::exists(out.Path() / file)) << file;
    }
}

}  // namespace
}  // namespace ZalvoBACnetStack
