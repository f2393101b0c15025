// The names of every user-visible text and the built-in English table. The
// other languages keep their texts readable in src/text/translations/ and get
// the same stored form at build time (src/text/tool/text_table_tool.cpp).
//
// A stored text is the base64 form of its UTF-8 bytes, each byte combined
// with kTextKey by exclusive or; a new entry is produced the same way, e.g.
//   python3 -c 'import base64,sys; print(base64.b64encode(bytes(b ^ 0x5A
//     for b in sys.argv[1].encode())).decode())' "Text"
#pragma once

#include <cstdint>
#include <vector>

// Ordinal = position; the names are looked up, never their ordinals stored.
enum TTextName : std::uint8_t {
  ttnNOTFOUND,
  ttnOk,
  ttnCancel,
  ttnBoom,
  ttnAreYouSure,
  ttnUndo,
  ttnRedo,
  ttnSettings,
  ttnCheck,
  ttnStartOver,
  ttnCopyAsImage,
  ttnCopyAsText,
  ttnPaste,
  ttnNew,
  ttnGame,
  ttnGame1,
  ttnHotTrackCounters,
  ttnHotTrackBoard,
  ttnGameMode,
  ttnNormal,
  ttnSuddenDeath,
  ttnButtonsPosition,
  ttnBottom,
  ttnLeft,
  ttnTop,
  ttnRight,
  ttnInvalidDataFound,
  ttnPreferences,
  ttnPreferences1,
  ttnAbout,
  ttnError,
  ttnExit,
  ttnLanguage,
  ttnAContact,
  ttnAHomepage,
  ttnDamagedCopyKept,
  ttnDamagedCopyFailed,
  ttnSettingsUnusable,
  ttnReplaceUnsavedFile,
  ttnSaveFailed,
  ttnCloseWithoutSaving,
  ttnAlreadyRunning,
  ttnLicense,
  ttnNewDifficulty,
  ttnEasy,
  ttnMedium,
  ttnNormalDifficulty,
  ttnNewEasy,
  ttnNewMedium,
  ttnNewNormal,
  ttnGrade,
  ttnMakingPuzzle,
  ttnKeepStrokeStraight,
  ttnPasteNotAGame,
  ttnPasteDamaged,
  ttnPasteNoBoard,
  ttnSavedGamesDamaged,
  ttnSizesRenewed,
  ttnAllGamesRestored,
  ttnCompletedClues,
  ttnMistakeLines,
  ttnSolvedAtOnce,
  ttnHint,
  ttnHintRow,
  ttnHintColumn,
  ttnHintClue,
  ttnHintMistake,
  ttnHintOneRun,
  ttnHintOverlap,
  ttnHintOutside,
  ttnHintOverlapOutside,
  ttnHintAllPlaced,
  ttnHintFills,
  ttnHintEmpties,
  ttnHintFillsEmpties,
  ttnHintCell,
  ttnHintCells,
  ttnHintAnd,
  ttnHintTo,
  ttnHintNone,
  ttnHintComplete,
  ttnSolvedIn,
  ttnClose,
  ttnAboutSentence,
  ttnCellName,
  ttnCellFilled,
  ttnCellEmpty,
  ttnCellCrossed,
  ttnRowClueName,
  ttnColumnClueName,
  ttnShortcutDescription,
  ttnOpenPuzzle,
  ttnSavePuzzleAs,
  ttnOtherSize,
  ttnRemoveSize,
  ttnPuzzleUnreadable,
  ttnPuzzleNoSolution,
  ttnPuzzleBadLine,
  ttnPuzzleMultiple,
  ttnPuzzleUndecided,
  ttnPuzzleNeedsGuessing,
  ttnPuzzleCount,
  ttnReplaceGame,
  ttnCheckingPuzzle,
  ttnSizeRange,
  ttnWidth,
  ttnHeight,
  ttnRemoveSizeAsk,
  ttnTooManySizes,
  ttnPuzzleFiles,
  ttnGameIdFormat,
  ttnAllFiles,
  ttnFileUnreadable,
  ttnPuzzleNotSaved,
  ttnNotAPuzzle,
  ttnBoardNotPlayable,
  ttnStatistics,
  ttnRecordSize,
  ttnRecordDifficulty,
  ttnPlayed,
  ttnSolved,
  ttnBestTime,
  ttnAverageTime,
  ttnSolvedWithHints,
  ttnNoRecords,
  ttnRecordsTable,
  ttnTimePlayed,
  ttnRowClues,
  ttnColumnClues,
  ttnClueCompleted,
  ttnVersion,
  ttnAnnounceSolved,
  ttnAnnounceNoMistakes,
  ttnAnnounceMistake,
  ttnBoardLook,
  ttnLookDefault,
  ttnLookHighContrastLight,
  ttnLookHighContrastDark,
  ttnLookColourBlindSafe,
  ttnUnsavedGamesFound,
};

inline constexpr int kTextNameCount = ttnUnsavedGamesFound + 1;

// The one-byte key every stored text byte is combined with.
inline constexpr std::uint8_t kTextKey = 0x5A;

// One entry of a built-in table: the name, a key string for people reading
// the table (the lookup ignores it), and the stored text.
struct TextItemNamesRec {
  TTextName Name;
  const char* Key;
  const char* Text;
};

using TTextItemNamesArr = std::vector<TextItemNamesRec>;

// The built-in English table, one entry per name.
const TTextItemNamesArr& EnglishTextItems();
