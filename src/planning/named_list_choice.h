// The named-list behaviour the menu window and the plan window share: the
// current name ("<new menu>" / "<new plan>" while there is none), the modified flag, making a new
// list from the "<new ...>" entry, choosing another list with the save question, renaming by a
// drop on the Rename button, deleting, saving under the current name and the question on
// closing. The window shows the lists and writes them; this decides what happens.
//
// Safeguards: a rename refuses an empty name, a name starting with
// "|" and another list's name (with the create message), and allows a change of letter case of
// the same list; choosing an existing list while "<new ...>" is current loads it (only the list
// just created from "<new ...>" keeps what is on screen); renaming another list than the current
// one leaves the current one current, so one list's items are never saved under another's name.
#pragma once

#include <functional>
#include <string>
#include <string_view>

#include "planning/named_list_table.h"
#include "toolkit/user.h"

namespace savora::planning {

// The words of one kind of list.
struct NamedListTexts {
  const char* newEntry;    // "<new menu>"
  const char* word;        // "menu"
  const char* titleWord;   // "Menu"
  const char* newTitle;    // prompt title "New Menu Name"
  const char* newPrompt;   // its text
  const char* exists;      // "A menu with that name already exists. ..."
  const char* editTitle;   // "Edit Menu Name"
  const char* editPrompt;  // its text
};

extern const NamedListTexts kMenuTexts;
extern const NamedListTexts kPlanTexts;

struct NamedListHooks {
  // Writes the window's lists under this UID (entries, media); false when it could not.
  std::function<bool(long uid)> write;
  // Shows the list of this UID (its items, its media) as stored; -1: empty lists, no media.
  std::function<void(long uid)> load;
  // The save found no name: the focus goes to the list of names.
  std::function<void()> focusNames;
  // The save gave the lists on screen a name: the window lists the names again.
  std::function<void()> named;
};

class NamedListChoice {
 public:
  NamedListChoice(NamedListTable& table, toolkit::User& user, NamedListTexts texts,
                  NamedListHooks hooks);

  const std::string& current() const { return current_; }
  bool hasName() const { return current_ != texts_.newEntry; }
  bool modified() const { return modified_; }
  void setModified() { modified_ = true; }
  const NamedListTexts& texts() const { return texts_; }
  bool exists(const std::string& name) { return table_.uidOf(name) != -1; }

  // The names to list, in NAME_TAG order, then "<new ...>".
  std::vector<std::string> listEntries();

  // Loads a list by name and makes it current (or "<new ...>" for an unknown or empty name).
  void load(const std::string& name);
  // Makes "<new ...>" current with the lists as they are.
  void startUnnamed();

  // The user chose an entry of the list of names ("<new ...>" or a name). Returns true when the
  // current name changed (the window refills and reselects the names).
  bool choose(const std::string& entry);
  // A name was dropped on the Rename button: asks for the new name and renames. True when
  // renamed.
  bool renameDropped(const std::string& name);
  // Asks, then deletes the named list (a menu also leaves every plan). True when deleted; the
  // window then chooses what is selected next.
  bool remove(const std::string& name);
  // Saves the window's lists under the current name; with "<new ...>" current, asks for the name
  // first. False when no name was given or the write failed.
  bool save();
  // Closing: true when the window may close (nothing to save, saved, or the user said No).
  bool close();

 private:
  // Asks "<new ...>"'s question and creates the list; the new name, or "" when none was made.
  std::string createNamed();
  // The save question with Yes/No/Cancel.
  toolkit::Button askToSave();
  // A new name typed for a list (trimmed): true when it may be used; tells the user why not.
  bool nameAllowed(const std::string& name, long renamedUid);

  NamedListTable& table_;
  toolkit::User& user_;
  NamedListTexts texts_;
  NamedListHooks hooks_;
  std::string current_;
  std::string justCreated_;  // the list just made from "<new ...>", which takes the lists shown
  bool modified_ = false;
};

}  // namespace savora::planning
