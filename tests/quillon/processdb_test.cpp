#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <map>
#include <thread>

#include "quillon/engine/ProcessDatabase.h"
#include "quillon/engine/StdFileSource.h"
#include "quillon/lang/TextEncoding.h"
#include "scan_fakes.h"

namespace {

using scanfake::MemoryFiles;

std::string FileXml(const std::string& fields) {
  return "<process_info type=\"file\"><meta>" + fields + "</meta></process_info>\n";
}

std::string Document(const std::string& records) {
  return "\xEF\xBB\xBF<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<!-- test -->\n<processdb>\n" + records +
         "</processdb>\n";
}

struct Parsed {
  std::vector<FileRecord> files;
  std::vector<ServiceRecord> services;
};

Parsed Parse(const std::string& utf8) {
  Parsed p;
  ParseProcessDocument(WideFromUtf8(utf8), p.files, p.services);
  return p;
}

// The shipped document, read from the source tree.
std::string ShippedDocument() {
  std::string path = std::string(SUITE_SOURCE_DIR) + "/quillon/resources/processdb/process.xml";
#ifdef _WIN32
  if (!path.empty() && path[0] == '/') path = "Z:" + path;  // the Unix root under Wine
#endif
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

}  // namespace

TEST(ProcessDatabaseParse, FlagsAreTrueWhenTheValueHoldsAOne) {
  const struct {
    const char* value;
    bool important;
  } cases[] = {{"1", true}, {" 1 ", true}, {"10", true}, {"true", false}, {"0", false}, {"", false}};
  for (const auto& c : cases) {
    Parsed p =
        Parse(FileXml(std::string("<is_important>") + c.value + "</is_important><filename>a.exe</filename>"));
    ASSERT_EQ(1u, p.files.size());
    EXPECT_EQ(c.important, p.files[0].is_important) << c.value;
  }
}

TEST(ProcessDatabaseParse, ReadsEveryFieldOfBothKinds) {
  Parsed p = Parse(Document(
      "<process_info "
      "type=\"file\">\n<meta>\n<id>7</id>\n<software>12x</software>\n<is_important>0</is_important>\n"
      "<is_blacklisted>1</is_blacklisted>\n<is_updater>1</is_updater>\n<created>1300000000</created>\n</"
      "meta>\n"
      "<technical>\n<filename> "
      "jqs.exe</filename>\n<defaultpath></defaultpath>\n</technical>\n</process_info>\n"
      "<process_info "
      "type=\"service\">\n<meta>\n<id>-3</id>\n<is_microsoft>1</is_microsoft>\n<handling>3</handling>\n"
      "<is_unimportant>1</is_unimportant>\n</meta>\n<technical>\n<servicename>EVENTLOG</servicename>\n"
      "<displayname>Event Log</displayname>\n<description>a &amp;amp; "
      "b</description>\n</technical>\n</process_info>\n"
      "<process_info type=\"driver\"><meta><id>9</id></meta></process_info>\n"));
  ASSERT_EQ(1u, p.files.size());
  ASSERT_EQ(1u, p.services.size());
  const FileRecord& f = p.files[0];
  EXPECT_EQ(7, f.id);
  EXPECT_EQ(12, f.software);  // stops at the first non-digit
  EXPECT_FALSE(f.is_important);
  EXPECT_TRUE(f.is_blacklisted);
  EXPECT_TRUE(f.is_updater);
  EXPECT_EQ(L" jqs.exe", f.filename);  // values are not trimmed
  EXPECT_EQ(L"", f.description);
  const ServiceRecord& s = p.services[0];
  EXPECT_EQ(-3, s.id);
  EXPECT_TRUE(s.is_microsoft);
  EXPECT_TRUE(s.is_unimportant);
  EXPECT_EQ(3, s.handling);
  EXPECT_EQ(L"EVENTLOG", s.servicename);
  EXPECT_EQ(L"Event Log", s.displayname);
  EXPECT_EQ(L"a &amp; b", s.description);
  EXPECT_EQ(L"", s.manufacturer);
}

TEST(ProcessDatabaseParse, MissingOrMisplacedFieldsGiveEmptyValues) {
  Parsed p = Parse(FileXml("<id>abc</id><software></software><filename>x.exe") +
                   FileXml("</filename><filename>y.exe") + FileXml("<id>99999999999</id>"));
  ASSERT_EQ(3u, p.files.size());
  EXPECT_EQ(0, p.files[0].id);
  EXPECT_EQ(0, p.files[0].software);
  EXPECT_EQ(L"", p.files[0].filename);   // no close tag
  EXPECT_EQ(L"", p.files[1].filename);   // close tag before the open tag
  EXPECT_EQ(2147483647, p.files[2].id);  // saturates instead of overflowing
}

TEST(ProcessDatabaseParse, ARecordWithoutTheClosingQuoteEndsParsing) {
  Parsed p = Parse(FileXml("<filename>a.exe</filename>") + "<process_info type=\"file></process_info>" +
                   FileXml("<filename>b.exe</filename>"));
  ASSERT_EQ(1u, p.files.size());
  EXPECT_EQ(L"a.exe", p.files[0].filename);
}

TEST(ProcessDatabaseParse, DescriptionEntitiesAreDecodedInTheirOrder) {
  const struct {
    const wchar_t* in;
    const wchar_t* out;
  } cases[] = {
      {L"&amp;lt;", L"<"},  // the ampersand entity first, then lt
      {L"&quot;x&quot; &gt; &lt;y&gt;", L"\"x\" > <y>"},
      {L"&#65;&#98;c", L"Abc"},
      {L"&#;&#x41;&#65", L"&#;&#x41;&#65"},            // not a decimal character reference
      {L"&#0;&#99999999999;", L"&#0;&#99999999999;"},  // no such character
      {L"caf&#233;", L"caf\u00e9"},
  };
  for (const auto& c : cases) EXPECT_EQ(c.out, DecodeDescriptionEntities(c.in)) << c.in;
  EXPECT_EQ(std::wstring(L"x") + static_cast<wchar_t>(0xFFFD) + L"y", WideFromUtf8("x\xC3y"));
  EXPECT_EQ("\xF0\x9F\x98\x80", Utf8FromWide(WideFromUtf8("\xF0\x9F\x98\x80")));
}

TEST(ProcessDatabase, PathResolution) {
  MemoryFiles files;
  files.AddText(L"C:\\app\\process.dat", Document(""));
  files.AddText(L"C:\\Temp\\process.dat", Document(""));
  files.AddText(L"C:\\app\\other.dat", Document(""));
  const struct {
    const wchar_t* given;
    const wchar_t* resolved;
    bool present;
  } cases[] = {
      {L"", L"C:\\app\\process.dat", true},
      {L"C:\\Temp\\process.dat", L"C:\\Temp\\process.dat", true},
      {L"other.dat", L"C:\\app\\other.dat", true},
      {L"missing.dat", L"C:\\app\\missing.dat", false},
  };
  for (const auto& c : cases) {
    ProcessDatabase db(c.given, files, L"C:\\app");
    EXPECT_EQ(c.resolved, db.Path());
    EXPECT_EQ(c.present, db.IsFilePresent());
    EXPECT_EQ(c.present, db.Load());
  }
}

TEST(ProcessDatabase, LoadReadsOnceAcrossThreadsAndLookupsIgnoreCase) {
  MemoryFiles files;
  files.AddText(L"C:\\db.dat",
                Document(FileXml("<is_important>1</is_important><filename>svchost.exe</filename>") +
                         FileXml("<id>1</id><filename>dup.exe</filename>") +
                         FileXml("<id>2</id><filename>DUP.EXE</filename>") +
                         "<process_info type=\"service\"><handling>1</handling><servicename>Fax</servicename>"
                         "</process_info>"));
  ProcessDatabase db(L"C:\\db.dat", files, L"C:\\app");
  bool second = false;
  std::thread other([&] { second = db.Load(); });
  EXPECT_TRUE(db.Load());
  other.join();
  EXPECT_TRUE(second);
  EXPECT_TRUE(db.Load());
  EXPECT_EQ(1, files.Reads());

  FileRecord f;
  ASSERT_TRUE(db.FindFile(L"SVCHOST.EXE", f));
  EXPECT_TRUE(f.is_important);
  EXPECT_FALSE(db.FindFile(L"svchost", f));
  ASSERT_TRUE(db.FindFile(L"Dup.exe", f));
  EXPECT_EQ(1, f.id);  // the first of two records with one name decides
  ServiceRecord s;
  ASSERT_TRUE(db.FindService(L"FAX", s));
  EXPECT_EQ(1, s.handling);
  EXPECT_FALSE(db.FindService(L"SPOOLER", s));
}

TEST(ProcessDatabase, AnUnreadableFileIsNotLoaded) {
  MemoryFiles files;
  files.AddText(L"C:\\db.dat", Document(FileXml("<filename>a.exe</filename>")));
  files.Lock(L"C:\\db.dat");
  ProcessDatabase db(L"C:\\db.dat", files, L"C:\\app");
  EXPECT_TRUE(db.IsFilePresent());
  EXPECT_FALSE(db.Load());
  FileRecord f;
  EXPECT_FALSE(db.FindFile(L"a.exe", f));
}

TEST(ProcessDatabaseShipped, HoldsTheStatedRecordsAndExamples) {
  const std::string bytes = ShippedDocument();
  ASSERT_GT(bytes.size(), 3u) << "process.xml not found beside the sources";
  EXPECT_EQ("\xEF\xBB\xBF", bytes.substr(0, 3));
  Parsed p = Parse(bytes);
  ASSERT_EQ(432u, p.files.size());
  ASSERT_EQ(386u, p.services.size());
  int important = 0, blacklisted = 0, updaters = 0, noSoftware = 0;
  for (const auto& f : p.files) {
    important += f.is_important;
    blacklisted += f.is_blacklisted;
    updaters += f.is_updater;
    noSoftware += f.software == 0;
  }
  EXPECT_EQ(214, important);
  EXPECT_EQ(23, blacklisted);
  EXPECT_EQ(15, updaters);
  EXPECT_EQ(364, noSoftware);
  std::map<int, int> handling;
  int microsoft = 0;
  for (const auto& s : p.services) {
    ++handling[s.handling];
    microsoft += s.is_microsoft;
  }
  EXPECT_EQ((std::map<int, int>{{0, 256}, {2, 118}, {3, 12}}), handling);
  EXPECT_EQ(283, microsoft);

  MemoryFiles files;
  files.AddText(L"C:\\app\\process.dat", bytes);
  ProcessDatabase db(L"", files, L"C:\\app");
  ASSERT_TRUE(db.Load());
  const struct {
    const wchar_t* name;
    bool important, blacklisted, updater;
  } fileCases[] = {
      {L"svchost.exe", true, false, false}, {L"cmd.exe", false, false, false},
      {L"jqs.exe", false, true, false},     {L"GoogleUpdate.exe", false, false, true},
      {L"wuauclt.exe", true, false, true},  {L"quillon.exe", true, false, false},
  };
  for (const auto& c : fileCases) {
    FileRecord f;
    ASSERT_TRUE(db.FindFile(c.name, f)) << c.name;
    EXPECT_EQ(c.important, f.is_important) << c.name;
    EXPECT_EQ(c.blacklisted, f.is_blacklisted) << c.name;
    EXPECT_EQ(c.updater, f.is_updater) << c.name;
    EXPECT_EQ(L"", f.description);
  }
  const struct {
    const wchar_t* name;
    int handling;
    bool microsoft, unimportant;
  } serviceCases[] = {
      {L"bits", 0, true, false},     {L"EVENTSYSTEM", 2, true, false}, {L"MSISERVER", 2, true, true},
      {L"EventLog", 3, true, false}, {L"IAANTMON", 3, false, false},
  };
  for (const auto& c : serviceCases) {
    ServiceRecord s;
    ASSERT_TRUE(db.FindService(c.name, s)) << c.name;
    EXPECT_EQ(c.handling, s.handling) << c.name;
    EXPECT_EQ(c.microsoft, s.is_microsoft) << c.name;
    EXPECT_EQ(c.unimportant, s.is_unimportant) << c.name;
    EXPECT_EQ(L"", s.displayname);
  }
}
