// The build tool vm-basecipher, run as a process.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

namespace {

namespace fs = std::filesystem;

constexpr const char* kZeroKey = "0000000000000000000000000000000000000000000000000000000000000000";
constexpr const char* kKey = "0123456789abcdefFEDCBA98765432100f1e2d3c4b5a69788796a5b4c3d2e1f0";

class BaseCipherTool : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = fs::path(::testing::TempDir()) /
           ("vm_basecipher_" +
            std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
    fs::remove_all(dir_);
    fs::create_directories(dir_);
  }
  void TearDown() override { fs::remove_all(dir_); }

  std::string Path(const char* name) const { return (dir_ / name).string(); }

  void Write(const char* name, const std::string& bytes) const {
    std::ofstream(dir_ / name, std::ios::binary) << bytes;
  }
  std::string Read(const char* name) const {
    std::ifstream in(dir_ / name, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  }

  // Exit status of the tool; its messages go to a file.
  int Run(const std::string& arguments) const {
    const std::string command =
        std::string("'") + VM_BASECIPHER + "' " + arguments + " 2>'" + Path("stderr") + "'";
    const int status = std::system(command.c_str());
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  }
  std::string Files(const char* in, const char* out) const {
    return " '" + Path(in) + "' '" + Path(out) + "'";
  }

 private:
  fs::path dir_;
};

TEST_F(BaseCipherTool, EncryptThenDecryptGivesTheInputBack) {
  std::string input;
  for (int i = 0; i < 1000; ++i) input.push_back(static_cast<char>(i * 7 + 1));
  input.back() = '\x01';
  Write("in", input);
  ASSERT_EQ(Run(std::string("encrypt --key-hex ") + kKey + Files("in", "enc")), 0);
  const std::string enciphered = Read("enc");
  EXPECT_EQ(enciphered.size(), 1024U);
  EXPECT_EQ(enciphered.find(input.substr(0, 32)), std::string::npos);
  ASSERT_EQ(Run(std::string("decrypt --key-hex ") + kKey + Files("enc", "dec")), 0);
  EXPECT_EQ(Read("dec"), input);
}

TEST_F(BaseCipherTool, EncryptsWithTheRijndaelOfThePublishedAnswers) {
  Write("zero", std::string(32, '\0'));
  ASSERT_EQ(Run(std::string("encrypt --key-hex ") + kZeroKey + Files("zero", "enc")), 0);
  EXPECT_EQ(Read("enc"),
            "\xC6\x22\x7E\x77\x40\xB7\xE5\x3B\x5C\xB7\x78\x65\x27\x8E\xAB\x07"
            "\x26\xF6\x23\x66\xD9\xAA\xBA\xD9\x08\x93\x61\x23\xA1\xFC\x8A\xF3");
}

TEST_F(BaseCipherTool, BadKeyIsAUsageError) {
  Write("in", "text");
  for (const std::string& key :
       {std::string("00"), std::string(63, '0') + "g", std::string(66, '0')}) {
    EXPECT_EQ(Run("encrypt --key-hex " + key + Files("in", "out")), 2) << key;
    EXPECT_FALSE(fs::exists(Path("out"))) << key;
    EXPECT_NE(Read("stderr").find("--key-hex"), std::string::npos) << Read("stderr");
  }
}

TEST_F(BaseCipherTool, UsageErrors) {
  Write("in", "text");
  EXPECT_EQ(Run(""), 2);
  EXPECT_EQ(Run(std::string("scramble --key-hex ") + kKey + Files("in", "out")), 2);
  EXPECT_EQ(Run(std::string("embed --key-hex ") + kKey + Files("in", "out")), 2);
  EXPECT_FALSE(fs::exists(Path("out")));
}

TEST_F(BaseCipherTool, BadInputFails) {
  Write("short", std::string(33, 'x'));
  EXPECT_EQ(Run(std::string("decrypt --key-hex ") + kKey + Files("short", "out")), 1);
  EXPECT_NE(Read("stderr").find("not a multiple of 32"), std::string::npos) << Read("stderr");
  EXPECT_EQ(Run(std::string("encrypt --key-hex ") + kKey + Files("missing", "out")), 1);
  EXPECT_FALSE(fs::exists(Path("out")));
  Write("in", "text");
  EXPECT_EQ(Run(std::string("encrypt --key-hex ") + kKey + " '" + Path("in") + "' '" +
                Path("no/such/dir/out") + "'"),
            1);
}

}  // namespace
