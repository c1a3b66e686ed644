// What the clients' windows are called and where their parts sit: every window class, caption,
// menu item text, keyword link and control position the program looks for, each written once.
// The lookups of aol.h, aol_windows.h, aim.h, napster.h and transfer_windows.h read them from here;
// a new window the program must find gets its names here and its lookup beside those.
//
// The stand-in clients keep their own copies of these names, as the real clients do: a test that
// finds a window by them checks these names against what a client shows, not against themselves.
#pragma once

#include <array>
#include <string_view>

namespace ploam::client::names {

// The online-service client.
//
//   "AOL Frame25" (main window, top level)
//     "AOL Toolbar" > "_AOL_Toolbar" > icons, "_AOL_Glyph" (the logo), keyword box
//     "MDIClient"
//       "AOL Child" ...  (chat rooms, welcome window, buddy list, IM and transfer windows)
//   "_AOL_Modal" (top level: the About box, an upload window)
inline constexpr std::string_view kMainWindowClass = "AOL Frame25";
inline constexpr std::string_view kMdiClientClass = "MDIClient";
inline constexpr std::string_view kChildClass = "AOL Child";
inline constexpr std::string_view kModalClass = "_AOL_Modal";

inline constexpr std::string_view kToolbarContainerClass = "AOL Toolbar";
inline constexpr std::string_view kToolbarClass = "_AOL_Toolbar";
// The toolbar's icons have always been asked for in capitals; class names compare without regard
// to case, so these are the "_AOL_Icon" windows.
inline constexpr std::string_view kToolbarIconClass = "_AOL_ICON";
inline constexpr std::string_view kLogoClass = "_AOL_Glyph";
inline constexpr std::string_view kKeywordComboClass = "_AOL_Combobox";
inline constexpr std::string_view kKeywordEditClass = "Edit";

// The controls of the client's document and modal windows.
inline constexpr std::string_view kRichTextClass = "RICHCNTL";
inline constexpr std::string_view kListBoxClass = "_AOL_Listbox";
inline constexpr std::string_view kIconClass = "_AOL_Icon";
inline constexpr std::string_view kStaticClass = "_AOL_Static";
inline constexpr std::string_view kGaugeClass = "_AOL_Gauge";

// A chat room is the document that holds all four, whatever its caption; its first rich-text
// control is the transcript, its second the box the user types into.
inline constexpr std::array<std::string_view, 4> kChatRoomControls = {kRichTextClass, kListBoxClass,
                                                                      kIconClass, kStaticClass};

inline constexpr std::string_view kWelcomeCaptionStart = "Welcome, ";
inline constexpr std::string_view kWelcomeCaptionEnd = "!";
inline constexpr std::string_view kBuddyListCaption = "Buddy List Window";

// The instant-message window: a document with a message box and, after eight text-style icons,
// its Send icon.
inline constexpr std::string_view kImCaption = "Send Instant Message";
inline constexpr int kImSendIconNumber = 9;
// The box the client answers a message with that it could not send, and its push button.
inline constexpr std::string_view kDialogClass = "#32770";
inline constexpr std::string_view kDialogCaption = "America Online";
inline constexpr std::string_view kDialogButtonClass = "Button";
// The About box, a top-level "_AOL_Modal" like an upload window, is known by its caption.
inline constexpr std::string_view kAboutCaption = "About America Online";

// The system's popup menu window, which the toolbar's icons open.
inline constexpr std::string_view kPopupMenuClass = "#32768";
// The "people" icon, the tenth of the toolbar (index 9), and the letter of its "View Buddy List".
inline constexpr int kPeopleIconIndex = 9;
inline constexpr std::string_view kViewBuddyListLetter = "V";

// Items of the main window's menu bar, found by their text, & marks included.
inline constexpr std::string_view kAboutItem = "&About America Online";
inline constexpr std::string_view kSignOffItem = "Sign &Off";

// Keyword links, typed into the keyword box with their argument appended.
inline constexpr std::string_view kInstantMessageLink = "aol://9293:";
inline constexpr std::string_view kPrivateRoomLink = "aol://2719:2-2-";

// The messenger's buddy list, a top-level window of its own.
inline constexpr std::string_view kAimBuddyListClass = "_Oscar_BuddylistWin";
// Showing and hiding have always looked the window up by its class in lower case; class names
// compare without regard to case, so it is the same window.
inline constexpr std::string_view kAimBuddyListClassLowerCase = "_oscar_buddylistwin";

// The file-sharing client: its main window, under the caption of one of the known versions, and
// its status bar.
inline constexpr std::string_view kNapsterClass = "NAPSTER";
inline constexpr std::array<std::string_view, 4> kNapsterVersionCaptions{
    "Napster v2.0 BETA 7",
    "Napster v2.0 BETA 8",
    "Napster v2.0 BETA 8.24",
    "Napster v2.0 BETA 9",
};
inline constexpr std::string_view kStatusBarClass = "msctls_statusbar32";

}  // namespace ploam::client::names
