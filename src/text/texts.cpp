#include "text/texts.h"

const TTextItemNamesArr& EnglishTextItems() {
  static const TTextItemNamesArr items = {
      {ttnNOTFOUND, "NOTFOUND", "FDUuejw1LzQ+"},
      {ttnOk, "Ok", "FRE="},
      {ttnCancel, "Cancel", "GTs0OT82"},
      {ttnBoom, "Boom", "GDU1N3t6G3otKDU0PXo5PzY2ej80Pil6LjIzKXo9Ozc/dA=="},
      {ttnAreYouSure, "AreYouSure", "Gyg/eiM1L3opLyg/ZQ=="},
      {ttnUndo, "Undo", "DzQ+NQ=="},
      {ttnRedo, "Redo", "CD8+NQ=="},
      {ttnSettings, "Settings", "CT8uLjM0PSk="},
      {ttnCheck, "Check", "GTI/OTE="},
      {ttnStartOver, "StartOver", "CS47KC56FSw/KA=="},
      {ttnCopyAsImage, "CopyAsImage", "GTUqI3ouNXo5NjMqODU7KD56Oyl6Mzc7PT8="},
      {ttnCopyAsText, "CopyAsText", "GTUqI3ouNXo5NjMqODU7KD56Oyl6Lj8iLg=="},
      {ttnPaste, "Paste", "CjspLj8="},
      {ttnNew, "New", "FD8t"},
      {ttnGame, "Game", "HTs3P3R0dA=="},
      {ttnGame1, "Game1", "HTs3Pw=="},
      {ttnHotTrackCounters, "HotTrackCounters",
       "EjM9MjYzPTIuei4yP3o5Ni8/KXo1PHouMj96KDUtejs0Pno5NTYvNzR6LzQ+Pyh6LjI/eio1MzQuPyg="},
      {ttnHotTrackBoard, "HotTrackBoard",
       "FzsoMXouMj96PzcqLiN6OT82Nil6NTx6LjI/eig1LXo7ND56OTU2Lzc0ei80Pj8oei4yP3oqNTM0Lj8o"},
      {ttnGameMode, "GameMode", "HTs3P3o3NT4/"},
      {ttnNormal, "Normal", "FDUoNzs2"},
      {ttnSuddenDeath, "SuddenDeath", "FDM9Mi43Oyg/"},
      {ttnButtonsPosition, "ButtonsPosition", "GC8uLjU0KXoqNSkzLjM1NA=="},
      {ttnBottom, "Bottom", "GDUuLjU3"},
      {ttnLeft, "Left", "Fj88Lg=="},
      {ttnTop, "Top", "DjUq"},
      {ttnRight, "Right", "CDM9Mi4="},
      {ttnInvalidDataFound, "InvalidDataFound", "EzQsOzYzPno+Oy47ejw1LzQ+"},
      {ttnPreferences, "Preferences", "Cig/PD8oPzQ5Pyk="},
      {ttnPreferences1, "Preferences1", "Cig/PD8oPzQ5Pyl0dHQ="},
      {ttnAbout, "About", "Gzg1Ly4="},
      {ttnError, "Error", "HygoNSg="},
      {ttnExit, "Exit", "HyIzLg=="},
      {ttnLanguage, "Language", "Fjs0PS87PT8="},
      {ttnAContact, "AContact", "GTU0Ljs5Lg=="},
      {ttnAHomepage, "AHomepage", "EjU3Pyo7PT8="},
      {ttnDamagedCopyKept, "DamagedCopyKept", "DjI/ejwzNj96Oyl6My56LTspejMpejE/Ki56Mj8oP2A="},
      {ttnDamagedCopyFailed, "DamagedCopyFailed",
       "FDV6OTUqI3o1PHouMj96Pjs3Oz0/Pno8MzY/ejk1LzY+ejg/ejE/Ki52eik1ei4yP3o9Ozc/"
       "ei0zNjZ6NDUuejUsPygtKDMuP3ozLmB6LjI/ej07Nz8pejs0PnopPy4uMzQ9KXo1PHouMjMpeik/KSkzNTR6Oyg/"
       "ejQ1LnopOyw/PnovNDY/KSl6IzUvejkyNTUpP3ouNXooPyo2Ozk/ei4yP3o8MzY/ei0yPzR6IzUvejk2NSk/"
       "ei4yP3o9Ozc/dA=="},
      {ttnSettingsUnusable, "SettingsUnusable",
       "DjI/eik/Li4zND0pejwzNj96OTs0NDUuejg/ei8pPz50eg4yP3o9Ozc/"
       "eikuOyguKXotMy4yei4yP3o+Pzw7LzYueik/Li4zND0pejs0Pno+NT8pejQ1Lno1LD8oLSgzLj96LjI/"
       "ejwzNj9gei4yP3o9Ozc/"
       "KXo7ND56KT8uLjM0PSl6NTx6LjIzKXopPykpMzU0ejsoP3o0NS56KTssPz56LzQ2PykpeiM1L3o5MjU1KT96LjV6KD8"
       "qNjs5P3ozLnotMj80eiM1L3o5NjUpP3ouMj96PTs3P3Q="},
      {ttnReplaceUnsavedFile, "ReplaceUnsavedFile",
       "DjI/eik/Li4zND0pejwzNj96MjspejQ1Lno4Pz80ejUsPygtKDMuLj80ejM0ei4yMyl6KT8pKTM1NHpyIzUvei0/"
       "KD96LjU2PnotMiN6Oy56LjI/eikuOyguc3R6CD8qNjs5P3ozLno0NS16LTMuMnouMj96PTs3Pyl6OzQ+eik/"
       "Li4zND0pejU8ei4yMyl6KT8pKTM1NGVQUBQ1ejk2NSk/KXouMj96PTs3P3otMy4yNS8ueik7LDM0PXQ="},
      {ttnSaveFailed, "SaveFailed", "AzUvKHo9Ozc/KXo7ND56KT8uLjM0PSl6OTUvNj56NDUuejg/eik7LD8+dA=="},
      {ttnCloseWithoutSaving, "CloseWithoutSaving", "GTY1KT96LTMuMjUvLnopOywzND0="},
      {ttnAlreadyRunning, "AlreadyRunning",
       "DhsMHxYVejMpejs2KD87PiN6KC80NDM0PXotMy4yei4yP3opOzc/eik/Li4zND0pejw1Nj4/"
       "KHZ6OC8uejMuej41Pyl6NDUuejs0KS0/KHQ="},
      {ttnLicense, "License", "HCg/P3opNTwuLTsoP3ovND4/KHouMj96FxMOehYzOT80KT90"},
      {ttnNewDifficulty, "NewDifficulty", "HjM8PDM5LzYuI3o1PHo0Py16Ki8gIDY/KQ=="},
      {ttnEasy, "Easy", "HzspIw=="},
      {ttnMedium, "Medium", "Fz8+My83"},
      {ttnNormalDifficulty, "NormalDifficulty", "FDUoNzs2"},
      {ttnNewEasy, "NewEasy", "FD8tej87KSN6Ki8gIDY/"},
      {ttnNewMedium, "NewMedium", "FD8tejc/PjMvN3oqLyAgNj8="},
      {ttnNewNormal, "NewNormal", "FD8tejQ1KDc7NnoqLyAgNj8="},
      {ttnGrade, "Grade", "HSg7Pj8="},
      {ttnMakingPuzzle, "MakingPuzzle", "FzsxMzQ9ejt6f2t6Ki8gIDY/uNr8UB8pOTsqP3o5OzQ5PzYpdA=="},
      {ttnCellName, "CellName", "CDUten9rdno5NTYvNzR6f2hgen9p"},
      {ttnCellFilled, "CellFilled", "PDM2Nj8+"},
      {ttnCellEmpty, "CellEmpty", "PzcqLiM="},
      {ttnCellCrossed, "CellCrossed", "OSg1KSk/Pg=="},
      {ttnRowClueName, "RowClueName", "CDUten9rejk2Lz9gen9o"},
      {ttnColumnClueName, "ColumnClueName", "GTU2Lzc0en9rejk2Lz9gen9o"},
      {ttnShortcutDescription, "ShortcutDescription", "CTI1KC45Ly5gen9r"},
  };
  return items;
}
