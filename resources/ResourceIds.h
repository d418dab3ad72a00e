/* The identifiers of the program's resources and dialog controls, shared by the resource
   script and the code. Plain preprocessor text, so the resource compiler reads it too.
   Each window keeps its identifiers in a block of its own, and its strings in a range of
   its own: 3000 the main window and the run, 3100 the file list, 3200 the settings dialog,
   3300 the replace list editor, 3400 the application, 3500 the pattern edit dialog.
   Dialog templates, controls and commands carry the numbers the program is known by;
   a control id need only be unique in its own dialog. */
#ifndef TARVELOX_RESOURCE_IDS_H
#define TARVELOX_RESOURCE_IDS_H

#define IDC_STATIC (-1)

/* The program's icon. */
#define IDI_MAIN 128

/* Main dialog. */
#define IDD_MAIN 102
#define IDC_ABOUT 1002
#define IDC_FILE_LIST 1003
#define IDC_START 1005
#define IDC_ADD_FILES 1006
#define IDC_REMOVE_FILES 1007
#define IDC_BACKUP 1008
#define IDC_FIND_TEXT 1011
#define IDC_LIST_EDIT 1012
#define IDC_SETTINGS 1017
#define IDC_REPLACE_TEXT 1023
#define IDC_ALL_AUTO 1024
#define IDC_NOT_CASE 1041
#define IDC_REGULAR_EXPRESSION 1042
#define IDC_KANJI 1047
#define IDC_MULTILINE 1048
#define IDC_MODIFIER_FRAME 1049
#define IDC_FILE_COUNT 1057
#define IDC_IGNORECASE 1059
#define IDC_NOT_ESCAPE 1066
#define IDC_PREVIEW 1070
#define IDC_TAB_MARK 1071
#define IDC_FILE_COUNT_LABEL 1072
#define IDC_UNDO 1073

/* Result log dialog. */
#define IDD_RESULT_LOG 131
#define IDC_RESULT_LOG_TEXT 1018
#define IDC_RESULT_LOG_LABEL 1019
#define IDS_RESULT_LOG_ABORTED 3011
#define IDS_RESULT_LOG_NOT_PROCESSED 3012
#define IDC_RESULT_LOG_LINE 1020
#define IDC_RESULT_LOG_LEGEND 1021
#define IDS_RESULT_LOG_CAPTION_FAILED 3018
#define IDS_RESULT_LOG_FAILED 3019
#define IDS_FAILED_UNIT 3030
/* What each status word means: 3020 less the failure code (NotOpen -1 is 3021). */
#define IDS_STATUS_MEANINGS 3020
#define IDS_MEANS_NOT_OPEN 3021
#define IDS_MEANS_NO_MEMORY 3022
#define IDS_MEANS_NO_TEXT 3023
#define IDS_MEANS_REGEX_ERROR 3024
#define IDS_MEANS_ABORTED 3025
#define IDS_MEANS_WRITE_ERROR 3026
#define IDS_MEANS_ENCODE_ERROR 3027
#define IDS_MEANS_ISO_2022_JP 3028

/* The changes a preview would make to one file. */
#define IDD_CHANGE_VIEW 143
#define IDC_CHANGE_TEXT 1001
#define IDS_CHANGE_VIEW_CAPTION 3031
#define IDS_CHANGES_HINT 3032

/* Progress dialog. */
#define IDD_PROGRESS 142
#define IDC_PROGRESS_TEXT 1062
#define IDC_PROGRESS_FILE 1063
#define IDC_PROGRESS_BAR 1064

/* File list: its context menu, the add dialog's texts. */
#define IDM_FILE_LIST 133
#define ID_FILE_OPEN_EDITOR 32771
#define ID_FILE_OPEN_ASSOCIATED 32772
#define ID_FILE_REMOVE 32773
#define ID_FILE_INVERT_SELECTION 32785
#define ID_FILE_SELECT_ALL 32786
#define IDS_ADD_FILES_TITLE 3101
#define IDS_ADD_FILES_TEXT_FILTER 3102
#define IDS_ADD_FILES_ALL_FILTER 3103

/* Settings dialog. */
#define IDD_SETTINGS 132
#define IDC_SETTINGS_EXTENSIONS 1018
#define IDC_SETTINGS_SOUND 1019
#define IDC_SETTINGS_BROWSE_EDITOR 1020
#define IDC_SETTINGS_SUBFOLDERS 1028
#define IDC_SETTINGS_SHOW_LOG 1029
#define IDC_SETTINGS_EDITOR 1030
#define IDC_SETTINGS_REMEMBER 1031
#define IDC_SETTINGS_BROWSE_SOUND 1032
#define IDC_SETTINGS_REPLACE_LIST 1035
#define IDC_SETTINGS_EDIT_LIST 1012
#define IDC_SETTINGS_BREGEXP 1065
#define IDC_SETTINGS_PRIORITY 1068
#define IDC_SETTINGS_SHIFT_JIS_ONLY 1069
#define IDS_EDITOR_FILTER 3201
#define IDS_SOUND_FILTER 3202
#define IDS_LIST_NOT_FOUND_HERE 3203

/* About box. */
#define IDD_ABOUT 100
#define IDC_ABOUT_PRODUCT 1011
#define IDC_ABOUT_LEGAL 1012
#define IDC_ABOUT_MAIL 1025
#define IDC_ABOUT_WEB 1026

/* The application's help command, on the menu of the replace list editor. */
#define IDM_HELP 57670
#define IDS_HELP_NOT_OPENED 3401
/* The program's name as its windows show it, the caption of its own message boxes. */
#define IDS_PROGRAM_NAME 3402
/* Names of files a system call gave in characters code page 932 lacks. */
#define IDS_NAMES_NOT_CARRIED 3403
#define IDS_ARGUMENTS_NOT_CARRIED 3404
#define IDS_PROGRAM_FOLDER_NOT_CARRIED 3405
#define IDS_TEXT_NOT_CARRIED 3406

/* Messages of the main window and the run. */
#define IDS_NO_REGEX_LIBRARY 3001
#define IDS_ERROR_CAPTION 3002
#define IDS_RUN_NOT_STARTED 3003
#define IDS_MAIN_WINDOW_NOT_CREATED 3004
#define IDS_DUPLICATES 3005
#define IDS_RUN_FAILED 3006
#define IDS_REPLACE_LIST_NOT_FOUND 3007
#define IDS_REPLACE_LIST_UNREADABLE 3008
#define IDS_REPLACE_LIST_EMPTY 3009
#define IDS_REGEX_REJECTED 3010
#define IDS_PREVIEW_CAPTION 3013
#define IDS_PREVIEW_LABEL 3014
#define IDS_TAB_IN_FIND 3015
#define IDS_TAB_IN_REPLACE 3016
#define IDS_TAB_IN_BOTH 3017
#define IDS_UNDO_CAPTION 3040
#define IDS_UNDO_ABORTED_CAPTION 3041
#define IDS_UNDO_LABEL 3042
#define IDS_UNDO_NOT_PROCESSED 3043
#define IDS_UNDO_CONFIRM 3044
#define IDS_UNDO_NOTHING 3045
#define IDS_UNDO_IN_USE 3046
#define IDS_UNDO_NOT_KEPT 3047
#define IDS_UNDO_CAPTION_LEFT 3048
#define IDS_UNDO_LEFT 3049
/* What each result of an undo that leaves a file means, at IDS_UNDO_MEANINGS + the result. */
#define IDS_UNDO_MEANINGS 3050
#define IDS_UNDO_MEANS_CHANGED 3052
#define IDS_UNDO_MEANS_MISSING 3053
#define IDS_UNDO_MEANS_NOT_KEPT 3054
#define IDS_UNDO_MEANS_NOT_OPEN 3055
#define IDS_UNDO_MEANS_WRITE_ERROR 3056
#define IDC_UNDO 1073


/* Replace list editor: one id for its menu, accelerators, icon, title and toolbar images;
   the path bar; the commands, each with a string "prompt\ntool tip"; its messages. */
#define IDR_LIST_EDIT 135
#define IDD_LIST_PATH_BAR 103
#define IDC_LIST_PATH 1036
#define ID_LIST_NEW 32775
#define ID_LIST_OPEN 32776
#define ID_LIST_SAVE 32778
#define ID_LIST_SAVE_AS 32779
#define ID_PATTERN_INSERT 32780
#define ID_PATTERN_DELETE 32781
#define ID_LIST_LOAD_FROM_FILE 32783
#define ID_PATTERN_PASTE 32790
#define ID_PATTERN_CUT 32791
#define ID_PATTERN_EDIT 32794
#define ID_LIST_EXIT 32795
#define ID_PATTERN_MOVE_UP 32799
#define ID_PATTERN_MOVE_DOWN 32801
#define IDS_LIST_COUNT 3301
#define IDS_LIST_SAVE_PROMPT 3302
#define IDS_PATTERN_DELETE_QUESTION 3303
#define IDS_PATTERN_DELETE_CAPTION 3304
#define IDS_LIST_FILTER 3305
#define IDS_ALL_FILES_FILTER 3306
#define IDS_LIST_NOT_CREATED 3307
#define IDS_LIST_NOT_WRITTEN 3308
#define IDS_FIND_COLUMN 3309
#define IDS_REPLACE_COLUMN 3310
#define IDS_OPTIONS_COLUMN 3311
#define IDS_LIST_NOT_READ 3312
#define IDS_LIST_NOT_READ_AS_NEW 3313
#define IDS_LIST_READ_ONLY 3314
#define IDS_LIST_NOT_CONVERTIBLE 3315

/* Pattern edit dialog; its option boxes carry the main dialog's ids (1066, 1041, 1042,
   1047, 1048, 1059). */
#define IDD_PATTERN_EDIT 129
#define IDC_PATTERN_FIND 1054
#define IDC_PATTERN_REPLACE 1055
#define IDS_PATTERN_ADD_CAPTION 3501
#define IDS_PATTERN_EDIT_CAPTION 3502
#define IDS_PATTERN_REGEX_REJECTED 3503
#define IDS_TAB_NOT_STORED 3504
#define IDS_EXPRESSION_LABEL 3505
#define IDS_LIBRARY_MESSAGE_LABEL 3506

#endif
