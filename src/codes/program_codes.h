// The numbers that the program's windows, its window objects (the `event` property of menu items,
// buttons and lists in OBJECTS.DAT) and the code must agree on: window kinds, the commands of the
// menus and buttons, and the events windows send each other. Every window takes its numbers from
// here and none defines its own, so two places can never agree by coincidence.
//
// A number may mean different things to different windows (5301 is a line chosen in a recipe
// window and OK in the new-name dialog): window-local commands live in a namespace named for the
// window, and a window brings in only its own. The toolkit's own codes (exit, help, close, drop)
// are in toolkit/event_codes.h.
#pragma once

namespace savora::codes {

// ---- Window kinds: the hundreds of a window's numeric identifier ----------------------------
inline constexpr int kKindInformation = 100;     // a book's, chapter's or category's information
inline constexpr int kKindMenuWeek = 200;        // a week's menu
inline constexpr int kKindRecipe = 400;          // a recipe of the user's bookshelf
inline constexpr int kKindUnitList = 700;        // the unit list
inline constexpr int kKindIngredientList = 800;  // the ingredient list
inline constexpr int kKindFoodGroups = 900;      // the food groups (category list)
inline constexpr int kKindPlan = 1100;           // a year's plan
inline constexpr int kKindShoppingList = 1300;   // the shopping list
inline constexpr int kKindCatalog = 1500;        // the catalogue bookshelf
inline constexpr int kKindCatalogRecipe = 1600;  // a recipe of the catalogue
inline constexpr int kKindBookshelf = 1700;      // the user's recipe bookshelf

// ---- Commands of the main window's menus and toolbar ----------------------------------------
// The main window passes most of them to the front window; the windows that handle them take
// them from here.
inline constexpr int kKeyEvent = 10;       // a key typed in the frame (values[0] the key)
inline constexpr int kTimer = 70;          // the frame's timer device ticked
inline constexpr int kSave = 10002;        // File > Save: the front window saves
inline constexpr int kKeyCommand = 10030;  // a key the frame turns into a command
inline constexpr int kImportFile = 10033;  // import the recipe files waiting in download/
inline constexpr int kHelpSearch = 10050;
inline constexpr int kHelpContents = 10051;
inline constexpr int kLoadRecipe = 10405;  // to a recipe window: load {chapter, recipe, mode}
inline constexpr int kPrint = 10414;
inline constexpr int kImportData = 10429;  // import a new content title's data
// Import Data and the menu items beside it: each asks for a file and imports it.
inline constexpr int kImportDataCommands[] = {kImportData, 10579, 10580, 10581};
inline constexpr int kImportFromWeb = 10584;  // import the recipes of a web page by address
inline constexpr int kOpenRecipe = 10433;  // to the main window: open {chapter, recipe, mode}
inline constexpr int kList = 10439;        // make a shopping list from the front window
inline constexpr int kAbout = 10441;
inline constexpr int kBackup = 10442;
inline constexpr int kRestore = 10443;
inline constexpr int kConfirmExit = 10503;
inline constexpr int kShowRecipe = 10504;  // to a recipe window: bring it to the front
inline constexpr int kRefreshWindowList = 10505;
inline constexpr int kCdNotFound = 10507;
inline constexpr int kShowTips = 10530;  // values[0]: 1 when posted at start-up
inline constexpr int kShowIntro = 10540;
inline constexpr int kReferral = 10543;
inline constexpr int kHandheldDownload = 10555;  // also the handheld buttons of the windows
// To the recipe window, the bookshelf or the shopping list after the handheld choice: write your
// recipes or list to the handheld (text the conduit folder, values[0] 1 to add to the recipes
// waiting rather than replace them).
inline constexpr int kHandheldExport = 10556;
inline constexpr int kBackupAndExit = 10558;
inline constexpr int kMakerSite = 10561;
inline constexpr int kAuthorSite = 10562;
inline constexpr int kExportBook = 10582;
inline constexpr int kExportText = 10583;
// The file dialogs of Back Up and Restore answer with these.
inline constexpr int kBackupChosen = -6103;
inline constexpr int kRestoreChosen = -6107;
// The exit check asks every window with unsaved changes to save before the program ends.
inline constexpr int kSaveRequest = 6102;

// Tables of an older format waiting to be upgraded; the main window offers each upgrade.
inline constexpr int kUpgradeRecipe = 10560;
inline constexpr int kUpgradeRc63 = 10564;
inline constexpr int kUpgradeRc64 = 10565;

// Commands that open a window of a kind.
inline constexpr int kOpenMenus = 10036;
inline constexpr int kOpenPlans = 10037;
inline constexpr int kOpenBookshelf = 10038;
inline constexpr int kOpenMenuWeek = 10039;
inline constexpr int kOpenShoppingList = 10444;
inline constexpr int kOpenFoodGroups = 10452;
// Opens the information window: values {item type, UID (0 for a new item), the book of a
// chapter, shelf (0 the user's, 1 the catalogue)}.
inline constexpr int kOpenItemInformation = 10478;
inline constexpr int kOpenIngredientList = 10485;
inline constexpr int kOpenUnitList = 10486;
inline constexpr int kOpenCatalog = 10521;

// Media commands of the recipe and information windows (Edit menu and the media tab).
inline constexpr int kAddPhoto = 10522;
inline constexpr int kAddSound = 10523;
inline constexpr int kAddVideo = 10524;
inline constexpr int kRemovePhoto = 10526;
inline constexpr int kRemoveSound = 10527;
inline constexpr int kRemoveVideo = 10528;

// Edit menu commands on the focused field.
inline constexpr int kCut = 10573;
inline constexpr int kCopy = 10574;
inline constexpr int kPaste = 10575;
inline constexpr int kClear = 10576;

// ---- Events between the bookshelf, the information window and the recipe window ------------
// To the bookshelf: a recipe window saved a new recipe (text the name, values[0] its UID), or
// the new-name dialog's answer (text the name). The two share the number the bookshelf expects.
inline constexpr int kRecipeAdded = 10020;
inline constexpr int kNewNameGiven = 10020;
inline constexpr int kChangedNameGiven = 10021;  // the new-name dialog renamed (text the name)
// To every open menu and shopping-list window: recipes were renamed or deleted; lists that
// show recipes show them anew.
inline constexpr int kRecipesChanged = 10022;
// From the information window to every open bookshelf of its kind: a book, chapter or category
// was saved; values {item type, UID}.
inline constexpr int kShelfItemSaved = 5107;
// A recipe chosen in the bookshelf's recipe list, or a match of the search window.
inline constexpr int kRecipeChosen = 10466;

// ---- Window-local commands: the `event` numbers of each window's own objects ----------------

namespace book_shelf_window {
inline constexpr int kNewRecipe = 10035;
inline constexpr int kSearchByIngredient = 10451;
inline constexpr int kNewBook = 10455;
inline constexpr int kNewChapter = 10456;
inline constexpr int kNewCategory = 10457;
inline constexpr int kDeleteBook = 10458;
inline constexpr int kDeleteChapter = 10459;
inline constexpr int kDeleteCategory = 10460;
inline constexpr int kDeleteRecipe = 10461;
inline constexpr int kBookChosen = 10462;
inline constexpr int kChapterChosen = 10463;
inline constexpr int kCategoryChosen = 10464;
inline constexpr int kOpenRecipeButton = 10465;
inline constexpr int kCopyRecipe = 10469;
inline constexpr int kCopyChapter = 10470;
inline constexpr int kAddToCategory = 10471;
inline constexpr int kModeCookbook = 10472;
inline constexpr int kModeCookbookAndChapter = 10473;
inline constexpr int kModeCategory = 10474;
inline constexpr int kOpenBook = 10475;
inline constexpr int kOpenChapter = 10476;
inline constexpr int kOpenCategory = 10477;
inline constexpr int kModePhoto = 10509;
inline constexpr int kOpenRecipeToo = 10572;
inline constexpr int kDropOnBooks = 5101;
inline constexpr int kDropOnChapters = 5102;
inline constexpr int kDropOnCategories = 5103;
inline constexpr int kDropOnRecipes = 5104;
inline constexpr int kDropOnWasteBin = 5105;
inline constexpr int kBrowserChosen = 5106;
}  // namespace book_shelf_window

namespace book_info_window {
inline constexpr int kPlaySound = 5201;
inline constexpr int kPlayVideo = 5202;
inline constexpr int kOk = 5203;
}  // namespace book_info_window

namespace new_book_window {
inline constexpr int kOk = 5301;
}  // namespace new_book_window

namespace recipe_search_window {
inline constexpr int kIncludeToggled = 10490;
inline constexpr int kContinue = 10499;
inline constexpr int kFinish = 10500;  // the end of the search, or Cancel
}  // namespace recipe_search_window

namespace recipe_window {
inline constexpr int kSelectLine = 5301;
inline constexpr int kNextLine = 5302;
inline constexpr int kInsertLine = 5303;
inline constexpr int kDeleteLine = 5304;
inline constexpr int kMoveUp = 5305;
inline constexpr int kMoveDown = 5306;
inline constexpr int kAddRecipe = 5307;
inline constexpr int kSpecifyBrand = 5308;
inline constexpr int kServings = 5309;
inline constexpr int kPreviousRecipe = 5310;
inline constexpr int kNextRecipe = 5311;
inline constexpr int kUnitPicked = 5312;
inline constexpr int kPlayVideo = 5313;
inline constexpr int kPlaySound = 5314;
inline constexpr int kZoom = 5315;
inline constexpr int kNameEntered = 5316;
inline constexpr int kSelectAll = 5320;
inline constexpr int kUndo = 5321;
inline constexpr int kBrandChosen = 5322;         // the ingredient window chose a brand
inline constexpr int kIngredientsChanged = 5323;  // the ingredient window saved
inline constexpr int kUsdaNutrients = 5330;  // USDA values for the foods that have none
inline constexpr int kPasteLines = 5331;     // lines pasted into the quantity field {-}, text
}  // namespace recipe_window

namespace serving_size_window {
inline constexpr int kOk = 5201;
}  // namespace serving_size_window

namespace week_window {
inline constexpr int kMenuChosen = 5401;    // WEEK_LIST's selection {row, -}
inline constexpr int kDropOnSunday = 5410;  // a drop on a day list: Sunday + day
inline constexpr int kDropOnSaturday = 5416;
inline constexpr int kDropOnMagnifier = 5417;  // a menu name dropped on the Rename button
inline constexpr int kBookChosen = 5420;
inline constexpr int kChapterChosen = 5421;
inline constexpr int kCategoryChosen = 5422;
inline constexpr int kBookFilter = 5423;
inline constexpr int kChapterFilter = 5424;
inline constexpr int kCategoryFilter = 5425;
inline constexpr int kRemove = 5426;
inline constexpr int kDeleteMenu = 5427;
inline constexpr int kOpenMeal = 5428;  // an entry of RECIPE_LIST or a day list activated
inline constexpr int kPlaySound = 5429;
inline constexpr int kPlayVideo = 5430;
inline constexpr int kPickFromShelf = 5431;
// To the menu window: show the menu named in the event's text (the plan window opened it).
inline constexpr int kShowMenu = 5432;
// To the menu window: the bookshelf chose a recipe while the menu waited for one {recipe UID}.
inline constexpr int kRecipePicked = 5433;
inline constexpr int kDayChosen = 5434;       // a day list's selection {row, recipe UID}
inline constexpr int kRecipeSelected = 5435;  // RECIPE_LIST's selection {row, recipe UID}
inline constexpr int kNewMenuClicked = 5436;  // "<new menu>" clicked while it is current
}  // namespace week_window

namespace year_window {
inline constexpr int kPlanChosen = 5501;     // YEAR_LIST's selection {row, -}
inline constexpr int kDropOnJanuary = 5510;  // a drop on a month list: January + month
inline constexpr int kDropOnDecember = 5521;
inline constexpr int kDropOnMagnifier = 5522;  // a plan name dropped on the Rename button
inline constexpr int kRemove = 5523;
inline constexpr int kDeletePlan = 5524;
inline constexpr int kOpenMenu = 5525;        // an entry of a month list or WEEK_LIST activated
inline constexpr int kMonthChosen = 5526;     // a month list's selection {row, menu UID}
inline constexpr int kMenuSelected = 5527;    // WEEK_LIST's selection {row, menu UID}
inline constexpr int kNewPlanClicked = 5528;
// To the plan window: menus were made, renamed or deleted in a menu window.
inline constexpr int kMenusChanged = 5529;  // "<new plan>" clicked while it is current
}  // namespace year_window

namespace shopping_list_settings_window {
inline constexpr int kOk = 5211;
inline constexpr int kAdjustToggled = 5212;
}  // namespace shopping_list_settings_window

namespace shopping_list_window {
inline constexpr int kOpenRow = 5602;        // a row activated
inline constexpr int kHaveItTicked = 5603;  // a row's Have It box {row, 1 ticked / 0 cleared}
inline constexpr int kSettings = 5604;
inline constexpr int kRebuild = 5605;
}  // namespace shopping_list_window

namespace tips_window {
inline constexpr int kNext = 5801;
inline constexpr int kReplay = 5802;
inline constexpr int kCloseButton = 5803;
inline constexpr int kStart = 5810;         // posted when the window is on screen
inline constexpr int kVideoStopped = 5811;  // the player ran to the end of its video
inline constexpr int kVideoFailed = 5812;   // the player could not play the video it opened
}  // namespace tips_window

namespace palm_window {
inline constexpr int kOk = 5901;
}  // namespace palm_window

namespace cd_drive_window {
inline constexpr int kDriveChosen = 4301;
}  // namespace cd_drive_window

namespace category_list_window {
inline constexpr int kNew = 4401;
inline constexpr int kOpen = 4402;
inline constexpr int kMoveUp = 4403;
inline constexpr int kMoveDown = 4404;
inline constexpr int kDelete = 4405;
inline constexpr int kSelect = 4406;
}  // namespace category_list_window

namespace food_list_window {
inline constexpr int kNew = 4501;
inline constexpr int kOpen = 4502;
inline constexpr int kDelete = 4503;
inline constexpr int kTyped = 4504;
}  // namespace food_list_window

namespace unit_information_window {
inline constexpr int kOk = 4601;
inline constexpr int kVolume = 4603;
inline constexpr int kWeight = 4604;
inline constexpr int kTyped = 4605;
}  // namespace unit_information_window

namespace ingredient_information_window {
inline constexpr int kOk = 4701;
inline constexpr int kOpenBrand = 4702;
inline constexpr int kMakePreferred = 4703;
inline constexpr int kReassign = 4704;
inline constexpr int kDeleteBrand = 4705;
inline constexpr int kListAll = 4707;
inline constexpr int kUsdaNutrients = 4720;  // a brand of USDA values
}  // namespace ingredient_information_window

namespace brand_information_window {
inline constexpr int kOk = 4801;
inline constexpr int kTyped = 4810;
inline constexpr int kUsdaNutrients = 4820;  // fill the fields from a USDA food
}  // namespace brand_information_window

namespace print_setup_window {
inline constexpr int kPaperMode = 5801;     // a paper mode option button
inline constexpr int kCardPosition = 5802;  // a card position option button
inline constexpr int kTitleFont = 5803;
inline constexpr int kBodyFont = 5804;
inline constexpr int kOk = 5805;
inline constexpr int kCardStyle = 5806;
}  // namespace print_setup_window

// The USDA food search: Use takes the food chosen, Skip passes the food asked for (in the walk
// over a recipe's foods); typing in the list searches.
namespace usda_foods_window {
inline constexpr int kUse = 7201;
inline constexpr int kSkip = 7202;
inline constexpr int kTyped = 7203;
inline constexpr int kSelected = 7204;  // another food became current
}  // namespace usda_foods_window

// The exchange-archive import window runs one step of the import per event it posts itself.
namespace import_window {
inline constexpr int kNextStep = 6301;
}  // namespace import_window

// The unit and ingredient matching dialog of an import.
namespace import_item_window {
inline constexpr int kAddToList = 6311;
inline constexpr int kReplace = 6312;
inline constexpr int kUseMemorized = 6313;
inline constexpr int kMakeText = 6314;
inline constexpr int kAlwaysAdd = 6315;
inline constexpr int kAlwaysMemorize = 6316;
}  // namespace import_item_window

// ---- Online services: recipe e-mail and the update service ----
inline constexpr int kSendMail = 10534;       // mail the front recipe or the listed recipes
inline constexpr int kUpdateService = 10536;  // the update service (switches the reminder on)
inline constexpr int kOnlineNews = 10537;     // the update service, showing the last news
// The update reminder is due as the program leaves: the main window shows UPDATE_MESSAGE.
inline constexpr int kUpdateReminder = 10538;
// Kinds of the online windows (not numbered among the kinds the program inherited).
inline constexpr int kKindMail = 1800;
inline constexpr int kKindOnline = 1900;

namespace mail_window {
inline constexpr int kSend = 6401;
inline constexpr int kClear = 6402;
inline constexpr int kAddressBook = 6403;
inline constexpr int kSetup = 6404;
inline constexpr int kRemoveAddress = 6405;  // takes the selected address off TO_LIST
}  // namespace mail_window

namespace mail_setup_window {
inline constexpr int kOk = 6411;
}  // namespace mail_setup_window

namespace mailing_list_window {
inline constexpr int kAddressChosen = 6421;  // an entry of MAIL_LIST activated {row, -}
inline constexpr int kAdd = 6422;            // the current entry of MAIL_LIST to MESSAGE_LIST
inline constexpr int kEdit = 6423;
inline constexpr int kDelete = 6424;
inline constexpr int kRemove = 6425;  // the current entry of MESSAGE_LIST taken off
inline constexpr int kOk = 6426;
inline constexpr int kMailListSelected = 6427;     // MAIL_LIST's selection {row, -}
inline constexpr int kMessageListSelected = 6428;  // MESSAGE_LIST's selection {row, -}
}  // namespace mailing_list_window

namespace online_window {
inline constexpr int kDownload = 6501;
inline constexpr int kCancel = 6502;
inline constexpr int kScrollUp = 6503;
inline constexpr int kScrollDown = 6504;
inline constexpr int kNextStep = 6505;  // one step of the update download, posted to itself
}  // namespace online_window

namespace update_message_window {
inline constexpr int kOk = 6511;
inline constexpr int kCancel = 6512;
}  // namespace update_message_window

}  // namespace savora::codes
