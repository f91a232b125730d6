#include <gtest/gtest.h>

#include <string>

#include "password_fixture.h"
#include "shell/frmmain.h"

namespace {

struct ShiftCase {
  const char* name;
  std::string in;
  std::string encrypted;
};

class ScrambleTest : public PasswordFixture {};

TEST_F(ScrambleTest, EachCodeMovesByTenAndBlankTextGivesNothing) {
  const ShiftCase cases[] = {
      {"letters", "abc", "klm"},
      {"blanks are kept inside other text", " a ", "*k*"},
      {"empty", "", ""},
      {"only blanks", "   ", ""},
      {"the highest code that has a counterpart", "\xF5", "\xFF"},
      {"the lowest", std::string(1, '\0'), "\x0A"},
      {"case is kept", "AbC", "KlM"},
  };
  for (const ShiftCase& c : cases) {
    SCOPED_TRACE(c.name);
    const std::string argument = c.in;
    EXPECT_EQ(frmmain->Encrypt(argument), c.encrypted);
    EXPECT_EQ(argument, c.in);
    if (!c.encrypted.empty()) {
      EXPECT_EQ(frmmain->Decrypt(c.encrypted), c.in);
    }
  }
  // Text made only of blanks, whatever its length, gives nothing and no error.
  EXPECT_EQ(frmmain->Decrypt(std::string(40000, ' ')), "");
  EXPECT_EQ(frmmain->Encrypt(std::string(32767, 'a')), std::string(32767, 'k'));
  EXPECT_EQ(BoxCount(), 0u);
  // Neither touches the window: the start-up prompt uses them before it exists.
  EXPECT_FALSE(frmmain->Loaded());
}

struct ErrorCase {
  const char* name;
  bool encrypt;
  std::string argument;
  std::string message;
};

TEST_F(ScrambleTest, ACodeWithoutCounterpartOrAnOverlongTextShowsTheErrorAndGivesNothing) {
  const ErrorCase cases[] = {
      {"code above 245", true, "ab\xF6",
       "Error 5 (Invalid procedure call or argument) in procedure Encrypt of Form frmmain"},
      {"code below 10", false, "kl\x09",
       "Error 5 (Invalid procedure call or argument) in procedure Decrypt of Form frmmain"},
      {"longer than 32767", true, std::string(32768, 'a'),
       "Error 6 (Overflow) in procedure Encrypt of Form frmmain"},
      {"longer than 32767, unscrambling", false, std::string(32768, 'k'),
       "Error 6 (Overflow) in procedure Decrypt of Form frmmain"},
  };
  size_t shown = 0;
  for (const ErrorCase& c : cases) {
    SCOPED_TRACE(c.name);
    dialogs.AnswerMessageBox(IDOK);
    std::string result = c.encrypt ? frmmain->Encrypt(c.argument) : frmmain->Decrypt(c.argument);
    EXPECT_EQ(result, "");
    ExpectBox(shown++, c.message, "Quenvor Pro", 0);
    EXPECT_EQ(dialogs.MessageBoxes().back().style, static_cast<UINT>(MB_OK));
  }
  EXPECT_FALSE(frmmain->Loaded());
}

// ---- the salted hash

struct KdfCase {
  const char* name;
  std::string password;
  std::string salt;
  int iterations;
  size_t length;
  const char* hex;
};

std::string Hex(const std::vector<BYTE>& bytes) {
  std::string out;
  char two[3];
  for (BYTE b : bytes) {
    snprintf(two, sizeof two, "%02x", b);
    out += two;
  }
  return out;
}

TEST(PasswordHash, DerivesThePublishedPbkdf2Sha256Values) {
  const KdfCase cases[] = {
      {"RFC 7914, one iteration, two blocks", "passwd", "salt", 1, 64,
       "55ac046e56e3089fec1691c22544b605f94185216dde0465e68b9d57c20dacbc"
       "49ca9cccf179b645991664b39d77ef317c71b845b1e30bd509112041d3a19783"},
      {"RFC 7914, 80000 iterations", "Password", "NaCl", 80000, 64,
       "4ddcd8f60b98be21830cee5ef22701f9641a4418d04c0414aeff08876b34ab56"
       "a1d425a1225833549adb841b51c9b3176a272bdebba1d078478f62b397f33c8d"},
      {"a password longer than the hash block", std::string(100, 'x'), "salt", 2, 32,
       "d43a18cd77bafc1a4b0c6025dbbf29c7e6d67acce6ad02a736d4a3003b6a3c26"},
  };
  for (const KdfCase& c : cases) {
    SCOPED_TRACE(c.name);
    std::vector<BYTE> salt(c.salt.begin(), c.salt.end());
    EXPECT_EQ(Hex(Pbkdf2Sha256(c.password, salt, c.iterations, c.length)), c.hex);
  }
}

TEST(PasswordHash, ARecordHoldsItsSaltAndOnlyItsPasswordMatchesIt) {
  // A record written by an earlier run: salt 00..0f, the password in ANSI with a blank.
  const std::string record =
      "$qh1$000102030405060708090a0b0c0d0e0f$"
      "88d5f2e96c68dcda79e9ca418492f254684181c3310fa8901af6ec4e77537ca1";
  EXPECT_TRUE(PasswordMatches("p\xE9ss w\xF6rd", record));
  EXPECT_FALSE(PasswordMatches("P\xE9ss w\xF6rd", record));
  EXPECT_FALSE(PasswordMatches("p\xE9ss w\xF6rd ", record));
  EXPECT_FALSE(PasswordMatches("", record));

  // New records: the marker, 16 bytes of salt and 32 of hash in hex; a fresh salt each time.
  std::string first = HashPassword("secret");
  std::string second = HashPassword("secret");
  EXPECT_EQ(first.size(), 5u + 32 + 1 + 64);
  EXPECT_TRUE(first.starts_with("$qh1$"));
  EXPECT_EQ(first[37], '$');
  EXPECT_EQ(first.find_first_not_of("0123456789abcdef", 5), 37u);
  EXPECT_NE(first.substr(5, 32), second.substr(5, 32));
  EXPECT_TRUE(PasswordMatches("secret", first));
  EXPECT_TRUE(PasswordMatches("secret", second));
}

TEST(PasswordHash, NothingMatchesAMalformedRecordOrAMissingValue) {
  const std::string good = HashPassword("secret");
  const std::string broken[] = {
      "$qh1$",
      good.substr(0, good.size() - 1),
      good + "0",
      good.substr(0, 37) + "#" + good.substr(38),
      good.substr(0, 10) + "zz" + good.substr(12),
  };
  for (const std::string& record : broken) {
    SCOPED_TRACE(record);
    EXPECT_FALSE(PasswordMatches("secret", record));
    EXPECT_FALSE(PasswordMatches("", record));
  }
  EXPECT_FALSE(PasswordMatches("", std::nullopt));
}

}  // namespace
