// Comparing every tag with the entries the data gives, for checks and verifying opens: each
// disagreeing tag is named with how many of its keys differ and one of them.
#include <map>
#include <vector>

#include "platform/text.h"
#include "xbase/error.h"
#include "xbase/table.h"

namespace savora::xbase {
namespace {

// How the entries of a tag (`indexed`, as in the file) differ from those the data gives
// (`computed`), record by record; empty when they agree.
std::string describeDifference(const std::string& tag, const KeyFormat& format,
                               const std::vector<PageEntry>& computed,
                               const std::vector<PageEntry>& indexed) {
  std::map<uint32_t, const std::string*> want;
  for (const PageEntry& e : computed) want[e.record] = &e.key;
  std::map<uint32_t, std::vector<const std::string*>> have;
  for (const PageEntry& e : indexed) have[e.record].push_back(&e.key);

  // Character keys are blank-padded to their length; the blanks say nothing.
  auto shown = [&](const std::string& key) {
    return platform::trimRight(describeKey(key, format));
  };
  size_t differing = 0;
  std::string example;
  auto count = [&](std::string what) {
    if (differing++ == 0) example = std::move(what);
  };
  for (const auto& [record, keys] : have) {
    const auto it = want.find(record);
    if (it == want.end())
      count(platform::formatText("record %u is in the tag as \"%s\" but does not belong there",
                                 record, shown(*keys.front()).c_str()));
    else if (keys.size() > 1 || *keys.front() != *it->second)
      count(platform::formatText("record %u is in the tag as \"%s\" but its data makes \"%s\"",
                                 record, shown(*keys.front()).c_str(), shown(*it->second).c_str()));
  }
  for (const auto& [record, key] : want)
    if (have.count(record) == 0)
      count(platform::formatText("record %u (\"%s\") is missing from the tag", record,
                                 shown(*key).c_str()));
  if (differing == 0) return {};
  return platform::formatText("tag %s: %zu of its %zu keys differ from the data, e.g. %s",
                              tag.c_str(), differing, indexed.size(), example.c_str());
}

}  // namespace

std::vector<std::string> Table::checkIndex() {
  std::vector<std::string> problems;
  for (const UnusableTag& tag : unusable_)
    problems.push_back(platform::formatText("tag %s cannot be used: %s", tag.info->name.c_str(),
                                            tag.problem.c_str()));
  for (std::string& problem : compareTags()) problems.push_back(std::move(problem));
  return problems;
}

std::vector<std::string> Table::compareTags() {
  std::vector<std::string> problems;
  if (!cdx_) return problems;
  flush();
  std::vector<TagInfo> definitions;
  for (const Tag& tag : tags_) definitions.push_back(*tag.info);
  const std::vector<CdxFile::TagBuild> expected = buildEntries(definitions);
  for (size_t t = 0; t < tags_.size(); ++t) {
    const std::string& name = tags_[t].info->name;
    std::vector<PageEntry> actual;
    try {
      CdxTree(*cdx_, *tags_[t].info).forEach([&](const PageEntry& e) { actual.push_back(e); });
    } catch (const Error& e) {
      problems.push_back(platform::formatText("tag %s: %s", name.c_str(), e.what()));
      continue;
    }
    const std::vector<PageEntry>& want = expected[t].entries;
    if (tags_[t].info->unique()) {
      // Which record holds a unique key depends on the order of changes; what counts is that
      // every key is there once and its record really has it.
      std::string record;
      bool same = want.size() == actual.size();
      for (size_t i = 0; same && i < want.size(); ++i) {
        same = want[i].key == actual[i].key && actual[i].record >= 1 && actual[i].record <= count_;
        if (same) {
          readRecord(actual[i].record, record);
          same = passes(tags_[t], record, actual[i].record) &&
                 keyOf(tags_[t], record, actual[i].record) == actual[i].key;
        }
      }
      if (!same)
        problems.push_back(
            platform::formatText("tag %s: its unique keys differ from the data", name.c_str()));
      continue;
    }
    std::string difference = describeDifference(name, tags_[t].format, want, actual);
    if (!difference.empty()) problems.push_back(std::move(difference));
  }
  return problems;
}

}  // namespace savora::xbase
