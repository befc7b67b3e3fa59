// Shared helpers of the table library tests: a recipe-like table and its expected contents.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "xbase/table.h"

namespace savora::xbase::testing {

// UID N5, CHAP_UID N5, NAME C80, KCAL N8.1, SERVES N3, BITMAP C260, NOTES M; tags UID, CHAPNAME
// ("STR(CHAP_UID,5)+NAME"), NAME ("UPPER(NAME)"), all with ".NOT. DELETED()".
std::vector<FieldSpec> recipeFields();
std::vector<TagSpec> recipeTags();
std::unique_ptr<Table> createRecipes(const std::string& base);

// Deterministic contents of recipe number `uid` (1-based).
std::string recipeName(int uid);
int recipeChapter(int uid);
std::string recipeNotes(int uid);  // empty for every fifth recipe

// Appends recipe `uid` to an open recipe table.
void appendRecipe(Table& table, int uid);
// Checks that the current record holds recipe `uid`; returns a description of the first
// difference, empty when it matches.
std::string recipeMismatch(Table& table, int uid);

// Runs a shell command; returns its exit status and fills `output` with its standard output.
int runCommand(const std::string& command, std::string& output);

// Folder of the tables written by other tools (tests/xbase/data), ending in '/'. Open them
// read-only or copy them to a temporary folder first: the source tree must stay as checked out.
std::string dataDir();

// Path of the shared folder beside the project, or empty when it is absent.
std::string sharedDir();

}  // namespace savora::xbase::testing
