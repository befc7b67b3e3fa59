#include "planning/named_list_choice.h"

#include "platform/text.h"

namespace savora::planning {

using platform::formatText;
using toolkit::Button;
using toolkit::Buttons;

const NamedListTexts kMenuTexts{
    "<new menu>",
    "menu",
    "Menu",
    "New Menu Name",
    "Enter the name of your menu. For example, you could type \"Week 1,\" \"Dan's Week,\" "
    "\"Summer Menu,\" etc...",
    "A menu with that name already exists.\r\nTo edit a menu name, drag the name over\r\nand "
    "drop it on the Rename button.",
    "Edit Menu Name",
    "Change the name of your menu now by typing the new name."};

const NamedListTexts kPlanTexts{
    "<new plan>",
    "plan",
    "Plan",
    "New Plan Name",
    "Enter the name of this plan. For example, you could type \"Year 1,\" \"Dan's Year,\" "
    "\"Summer Menu,\" etc...",
    "A plan with that name already exists.\r\nTo edit a plan name, drag the name over\r\nand "
    "drop it on the Rename button.",
    "Edit Plan Name",
    "Change the name of your plan now by typing the new name."};

NamedListChoice::NamedListChoice(NamedListTable& table, toolkit::User& user, NamedListTexts texts,
                                 NamedListHooks hooks)
    : table_(table),
      user_(user),
      texts_(texts),
      hooks_(std::move(hooks)),
      current_(texts.newEntry) {}

std::vector<std::string> NamedListChoice::listEntries() {
  std::vector<std::string> entries = table_.names();
  entries.push_back(texts_.newEntry);
  return entries;
}

void NamedListChoice::load(const std::string& name) {
  const long uid = name == texts_.newEntry ? -1 : table_.uidOf(name);
  current_ = uid == -1 ? std::string(texts_.newEntry) : table_.nameOf(uid);
  justCreated_.clear();
  if (hooks_.load) hooks_.load(uid);
  modified_ = false;
}

void NamedListChoice::startUnnamed() {
  current_ = texts_.newEntry;
  justCreated_.clear();
}

bool NamedListChoice::choose(const std::string& entry) {
  if (entry == texts_.newEntry) {
    const std::string created = createNamed();
    if (created.empty()) return false;
    justCreated_ = created;
    return choose(created);
  }
  if (platform::equalsIgnoreCase(entry, current_)) return false;
  if (!hasName() && !justCreated_.empty() && platform::equalsIgnoreCase(entry, justCreated_)) {
    // The lists placed before the menu had a name belong to the new menu.
    current_ = justCreated_;
    justCreated_.clear();
    return true;
  }
  justCreated_.clear();
  if (modified_) {
    switch (askToSave()) {
      case Button::Yes:
        if (!save()) return false;
        break;
      case Button::No:
        break;
      default:
        return false;
    }
  }
  load(entry);
  return true;
}

std::string NamedListChoice::createNamed() {
  const auto answer = user_.prompt(texts_.newTitle, texts_.newPrompt, kListNameWidth, "");
  if (!answer) return {};
  const std::string name = platform::trim(*answer);
  if (!nameAllowed(name, -1)) return {};
  table_.create(name);
  return name;
}

bool NamedListChoice::nameAllowed(const std::string& name, long renamedUid) {
  if (name.empty()) return false;
  if (name[0] == kMediaMark) {
    user_.message("Wait!", "HAND", Buttons::Ok,
                  formatText("A %s name cannot begin with \"|\".", texts_.word));
    return false;
  }
  const long existing = table_.uidOf(name);
  if (existing != -1 && existing != renamedUid) {
    user_.message("Wait!", "HAND", Buttons::Ok, texts_.exists);
    return false;
  }
  return true;
}

bool NamedListChoice::renameDropped(const std::string& name) {
  if (name == texts_.newEntry) return false;
  const long uid = table_.uidOf(name);
  if (uid == -1) return false;
  const auto answer = user_.prompt(texts_.editTitle, texts_.editPrompt, kListNameWidth, name);
  if (!answer) return false;
  const std::string renamed = platform::trim(*answer);
  if (!nameAllowed(renamed, uid) || renamed == name) return false;
  table_.rename(name, renamed);
  if (platform::equalsIgnoreCase(current_, name)) current_ = renamed;
  if (platform::equalsIgnoreCase(justCreated_, name)) justCreated_ = renamed;
  return true;
}

bool NamedListChoice::remove(const std::string& name) {
  if (name == texts_.newEntry) return false;
  const long uid = table_.uidOf(name);
  if (uid == -1) return false;
  if (user_.message(formatText("Delete %s?", texts_.titleWord), "QUESTION", Buttons::YesNo,
                    formatText("Are you sure you want to delete %s?", name.c_str())) != Button::Yes)
    return false;
  table_.remove(uid);
  if (platform::equalsIgnoreCase(current_, name)) {
    current_ = texts_.newEntry;
    modified_ = false;
  }
  if (platform::equalsIgnoreCase(justCreated_, name)) justCreated_.clear();
  return true;
}

bool NamedListChoice::save() {
  long uid = hasName() ? table_.uidOf(current_) : -1;
  if (uid == -1) {
    // What was placed on "<new ...>" is saved under the name asked for now.
    const std::string created = createNamed();
    uid = created.empty() ? -1 : table_.uidOf(created);
    if (uid == -1) {
      if (hooks_.focusNames) hooks_.focusNames();
      return false;
    }
    current_ = table_.nameOf(uid);
    justCreated_.clear();
    if (hooks_.named) hooks_.named();
  }
  bool written = false;
  {
    toolkit::StatusScope status(user_, "Saving",
                                formatText("Saving %s...Please Wait.", texts_.titleWord));
    written = !hooks_.write || hooks_.write(uid);
  }
  if (written) modified_ = false;
  return written;
}

Button NamedListChoice::askToSave() {
  const std::string question = hasName()
                                   ? formatText("\r\nWould you like to save %s?", current_.c_str())
                                   : formatText("\r\nWould you like to save this %s?", texts_.word);
  return user_.message(formatText("Save %s?", texts_.titleWord), "QUESTION", Buttons::YesNoCancel,
                       question);
}

bool NamedListChoice::close() {
  if (!modified_) return true;
  switch (askToSave()) {
    case Button::Yes:
      return save();
    case Button::No:
      return true;
    default:
      return false;
  }
}

}  // namespace savora::planning
