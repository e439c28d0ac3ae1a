// Resource ids of SETUP32.EXE: one block per dialog, string ids as the
// program's messages use them. Included by the resource script and the code.
#ifndef SETUP32_RES_RESOURCE_H
#define SETUP32_RES_RESOURCE_H

#ifndef IDC_STATIC
#define IDC_STATIC (-1)
#endif

// Icon and version
#define IDI_SETUP32 50

// Message dialog "Message Box"
#define IDD_MESSAGE 1
#define IDC_MESSAGE_TEXT 110
#define IDC_MESSAGE_OK 1
#define IDC_MESSAGE_CANCEL 2
#define IDC_MESSAGE_RETRY 4
#define IDC_MESSAGE_YES 6
#define IDC_MESSAGE_NO 7
#define IDC_MESSAGE_EXIT 115
#define IDC_MESSAGE_CONTINUE 116

// Floating message window of [FloatInfo]
#define IDD_FLOAT 33
#define IDC_FLOAT_TEXT 110
#define IDC_FLOAT_BUTTON 2

// Pop-up message windows: "Message" (39), the captioned "Attention please ..."
// windows in four sizes (41-44) and the untitled ones (45 default, 46-49 sizes)
#define IDD_POPUP_MESSAGE 39
#define IDD_POPUP_STATIC_SMALL 41
#define IDD_POPUP_STATIC_MEDIUM 42
#define IDD_POPUP_STATIC_LARGE 43
#define IDD_POPUP_STATIC_XLARGE 44
#define IDD_POPUP_PLAIN 45
#define IDD_POPUP_SMALL 46
#define IDD_POPUP_MEDIUM 47
#define IDD_POPUP_LARGE 48
#define IDD_POPUP_XLARGE 49
#define IDC_POPUP_TEXT 110
#define IDT_POPUP_WAIT 1

// Trace dialog "Debug"
#define IDD_TRACE 36
#define IDC_TRACE_TEXT 101
#define IDC_TRACE_PAUSE 102
#define IDC_TRACE_FASTER 103
#define IDC_TRACE_SLOWER 104
#define IDC_TRACE_STOP 2
#define IDT_TRACE_STEP 2

// Destination directory dialog
#define IDD_DESTDIR 3
#define IDC_DESTDIR_TEXT1 101
#define IDC_DESTDIR_TEXT2 102
#define IDC_DESTDIR_PATH 103
#define IDC_DESTDIR_BROWSE 104
#define IDC_DESTDIR_HELP 105

// Strings: version tests, directories, disk space, moves and deletes
#define IDS_VERSION_CONTINUE 1028
#define IDS_SPACE_SELECT_OTHER 1047
#define IDS_SPACE_EXIT 1048
#define IDS_SPACE_ABORT_RETRY 1049
#define IDS_WINDRIVE_SPACE 1052
#define IDS_DIR_TREE_FAILED 1054
#define IDS_DRIVE_ENTER_ANOTHER 1071
#define IDS_DRIVE_NOT_AVAILABLE 1072
#define IDS_MOVE_EXISTS_AGAIN 1102
#define IDS_MOVE_CANNOT 1121
#define IDS_FILECHECK_PROMPT 1126
#define IDS_FILECHECK_DEFAULT 1127
#define IDS_MOVE_DIR_FAILED 1152
#define IDS_DESTDIR_HELP 1208

// Strings: class names and captions
#define IDS_LOADER_CLASS 1010
#define IDS_APP_NAME 1011
#define IDS_MENU_NAME 1012
#define IDS_TITLE 1013
#define IDS_MAIN_CLASS 1014
#define IDS_HELP_TEXT 1016
#define IDS_METER_CLASS 1020
#define IDS_MISMATCH_CLASS 1022
#define IDS_SPLASH_CLASS 1024
#define IDS_ONE_MOMENT 1026
#define IDS_VERSION_LINE 1027

// Strings: load and start-up errors
#define IDS_NO_MEMORY 1031
#define IDS_FILE_NOT_FOUND 1032
#define IDS_FILE_EMPTY 1033
#define IDS_CANNOT_CREATE 1038
#define IDS_OVERWRITE 1039
#define IDS_TEMP_SPACE 1040
#define IDS_READ_ERROR 1041
#define IDS_WRITE_ERROR 1042
#define IDS_SAVE_ERROR 1043
#define IDS_FIELD_ERROR 1044
#define IDS_SECTION_ERROR 1045

// Strings: closing messages
#define IDS_INSTALL_OK 1059
#define IDS_INSTALL_FAILED 1061
#define IDS_EXPAND_DELIMS 1064

// Strings: status and options
#define IDS_STATUS_WAIT 1154
#define IDS_OPTIONS_INTRO 1170
#define IDS_OPTIONS_EXITMSG 1173
#define IDS_OPTIONS_HELPMSG 1174
#define IDS_OPTIONS_EXITBTN 1177
#define IDS_OPTIONS_HELPBTN 1178
#define IDS_OPTIONS_INF2 1179
#define IDS_OPTIONS_INF3 1180
#define IDS_OPTIONS_INF4 1181

// Strings: restart and shut-down questions
#define IDS_RESTART_ASK 1190
#define IDS_RESTART_ASK_SETUP 1191
#define IDS_EXITWIN_ASK 1192
#define IDS_EXITWIN_ASK_AGAIN 1193
#define IDS_REBOOT_ASK 1194
#define IDS_REBOOT_ASK_AGAIN 1195
#define IDS_RESTART_ASK_TEXT 1196  // a restart question in the script's own words

// Strings: directory dialogs
#define IDS_DIR_SECTION 1201
#define IDS_DIR_PROMPT 1202
#define IDS_DIR_PROMPT2 1203
#define IDS_DIR_CAPTION 1206
#define IDS_DIR_CAPTION2 1207

#define IDS_CANNOT_LOAD 1231

// Strings: launching and closing programs
#define IDS_EXEC_WAIT 1156
#define IDS_CLOSE_WAIT 1158
#define IDS_EXEC_ERROR 1234
#define IDS_EXEC_NOT_FOUND 1235
#define IDS_EXEC_NO_MEMORY 1236
#define IDS_EXEC_TOO_LONG 1237
#define IDS_EXEC_ASK_CONTINUE 1238
#define IDS_EXEC_CANNOT_CONTINUE 1239

// Copy status window: four texts, the progress meter and Cancel
#define IDD_COPY_STATUS 4
#define IDC_COPY_METER 100
#define IDC_COPY_TEXT1 103
#define IDC_COPY_TEXT2 104
#define IDC_COPY_TEXT3 105
#define IDC_COPY_TEXT4 106

// Insert disk or specify location
#define IDD_INSERT_DISK 5
#define IDC_DISK_FILE 101
#define IDC_DISK_LABEL 102
#define IDC_DISK_PROMPT 103
#define IDC_DISK_PATH 107
#define IDC_DISK_BROWSE 108
#define IDC_DISK_SKIP 109
#define IDC_DISK_EXIT 110

// File in use
#define IDD_IN_USE 6
#define IDC_INUSE_FILE 101
#define IDC_INUSE_RETRY 102
#define IDC_INUSE_RESTART 103
#define IDC_INUSE_SKIP 104
#define IDC_INUSE_EXIT 105

// Version conflict: the message, both files' version lists, name and folder
#define IDD_VERSION_CONFLICT 7
#define IDC_CONFLICT_TEXT 100
#define IDC_CONFLICT_OLDLIST 101
#define IDC_CONFLICT_NEWLIST 102
#define IDC_CONFLICT_FILE 103
#define IDC_CONFLICT_DIR 104
#define IDC_CONFLICT_INSTALL 105
#define IDC_CONFLICT_KEEP 106
#define IDC_CONFLICT_EXIT 107

// Current copy of the file lives in another folder
#define IDD_FILE_ELSEWHERE 9
#define IDC_ELSEWHERE_FILE 101
#define IDC_ELSEWHERE_DIR 102
#define IDC_ELSEWHERE_CURDIR 103
#define IDC_ELSEWHERE_KEEP 104
#define IDC_ELSEWHERE_DELETE 105
#define IDC_ELSEWHERE_REPLACE 106
#define IDC_ELSEWHERE_SKIP 107
#define IDC_ELSEWHERE_EXIT 108

// File already exists
#define IDD_FILE_EXISTS 10
#define IDC_EXISTS_FILE 101
#define IDC_EXISTS_DIR 102
#define IDC_EXISTS_BACKUP 103
#define IDC_EXISTS_UNIQUE 104
#define IDC_EXISTS_OVERWRITE 105
#define IDC_EXISTS_SKIP 106
#define IDC_EXISTS_EXIT 107

// A file a move entry may act on: what to do with it
#define IDD_MOVE_CHOICE 28
#define IDC_MOVECHOICE_FILE 101
#define IDC_MOVECHOICE_MOVE 102
#define IDC_MOVECHOICE_RENAME 103
#define IDC_MOVECHOICE_COPY 104
#define IDC_MOVECHOICE_DELETE 105
#define IDC_MOVECHOICE_EXIT 106

// Strings: copying files
#define IDS_LINE_ERROR 1046
#define IDS_DISK_SPACE_SWITCH 1050
#define IDS_NOT_COMPLETE 1055
#define IDS_INSERT_DISK_N 1062
#define IDS_INSERT_DISK_IN 1063
#define IDS_INSERT_SOURCE 1065
#define IDS_FILE_IN_USE 1101
#define IDS_BAD_FILE_CHARS 1104
#define IDS_OUT_OF_SPACE 1112
#define IDS_ACCESS_VIOLATION 1113
#define IDS_SHARING_VIOLATION 1114
#define IDS_CANNOT_CREATE_FILE 1115
#define IDS_CANNOT_DELETE_FILE 1116
#define IDS_CANNOT_RENAME_FILE 1117
#define IDS_INSTALL_NO_MEMORY 1118
#define IDS_CANNOT_BACKUP 1119
#define IDS_CANNOT_INSTALL 1120
#define IDS_CREATE_ERROR_OK 1124
#define IDS_CREATE_ERROR_ARI 1125
#define IDS_CANNOT_READ_DEST 1132
#define IDS_WRITE_PROTECTED 1133
#define IDS_VER_MISMATCH 1134
#define IDS_VER_OLDER 1135
#define IDS_VER_DIFFLANG 1136
#define IDS_VER_DIFFCODEPAGE 1137
#define IDS_VER_DIFFTYPE 1138
#define IDS_COPY_INSTALLING 5201
#define IDS_COPY_DESCRIPTION 5202
#define IDS_COPY_SOURCE 5203
#define IDS_COPY_INSTALL_AS 5204
#define IDS_COPY_BACKING_UP 5205
#define IDS_COPY_TO_FILE 5206
#define IDS_COPY_INSTALL_FILE 5207
#define IDS_COPY_AS_FILE 5208
#define IDS_COPY_COUNTING 5209
#define IDS_COPY_NO_VERSION 5210

// Strings: internal-script marker and OS identifiers
#define IDS_MARKER_NAME 1292
#define IDS_OS_FIRST 1300  // 1300 + OS identifier number, up to 1316

// Strings: default folders of the expansion language ("@W" variables)
#define IDS_DEF_PROGRAM_FILES 1251
#define IDS_DEF_INF 1252
#define IDS_DEF_COMMON_FILES 1253
#define IDS_DEF_PROGRAMS 1254
#define IDS_DEF_START_MENU 1255
#define IDS_DEF_STARTUP 1256
#define IDS_DEF_FONTS 1257
#define IDS_DEF_DESKTOP 1258
#define IDS_DEF_SENDTO 1259
#define IDS_DEF_PERSONAL 1260
#define IDS_DEF_FAVORITES 1261
#define IDS_DEF_TEMPLATES 1262
#define IDS_DEF_APPDATA 1263
#define IDS_DEF_CACHE 1264
#define IDS_DEF_COOKIES 1265
#define IDS_DEF_HISTORY 1266
#define IDS_DEF_RECENT 1267
#define IDS_DEF_NETHOOD 1268
#define IDS_DEF_PRINTHOOD 1269

// Strings: configuration files, environment and registry
#define IDS_INI_FILE_ERROR 1142
#define IDS_FILE_READONLY 1143
#define IDS_INI_BAD_FILE 1145
#define IDS_INI_WRITE_ERROR 1146
#define IDS_INI_WRITE_PROTECTED 1147
#define IDS_INI_DIR_ERROR 1148
#define IDS_INI_BACKUP_ERROR 1149
#define IDS_ENV_REG_ERROR 1161
#define IDS_ENV_AUTOEXEC_ERROR 1162
#define IDS_REG_MATCHES 1282
#define IDS_REG_DIFFERS 1284
#define IDS_REG_NOT_FOUND 1286
#define IDS_REG_ERROR 1287
#define IDS_REG_VITAL 1288

// Input dialogs: what they share
#define IDC_SECT_HELP 199
#define IDD_HELPTEXT 15
#define IDC_HELPTEXT_TEXT 100

// [AskFor]
#define IDD_ASKFOR 23
#define IDC_ASK_MSG1 110
#define IDC_ASK_MSG2 112
#define IDC_ASK_EDIT 114
#define IDC_ASK_PROMPT 118

// [FromList], [FromLongList]
#define IDD_FROMLIST 24
#define IDD_FROMLONGLIST 25
#define IDC_LIST_MSG 210
#define IDC_LIST_PROMPT 211
#define IDC_LIST_CURRENT 213
#define IDC_LIST_BOX 214

// [FromCombo]
#define IDD_FROMCOMBO 26
#define IDC_COMBO_MSG 220
#define IDC_COMBO_PROMPT 221
#define IDC_COMBO_BOX 224

// [OptionButtons], [InitOptions]
#define IDD_OPTIONS_BUTTONS 27
#define IDC_OPTION_MSG 401
#define IDC_OPTION_RADIO1 402
#define IDC_OPTION_CHECK1 406

// [GetDirs] with one text (the two-text form is the destination dialog 3)
#define IDD_GETDIR 14

// [Get2Dirs]
#define IDD_GET2DIRS 38
#define IDC_DIRS2_MSG1 101
#define IDC_DIRS2_MSG2 102
#define IDC_DIRS2_MSG3 103
#define IDC_DIRS2_PATH1 210
#define IDC_DIRS2_PATH2 212
#define IDC_DIRS2_BROWSE1 221
#define IDC_DIRS2_BROWSE2 222

// [GetUserPW]
#define IDD_GETUSERPW 34
#define IDC_PW_MSG 101
#define IDC_PW_CHECK 102
#define IDC_PW_USERLABEL 103
#define IDC_PW_USER 104
#define IDC_PW_PWLABEL 105
#define IDC_PW_PASSWORD 106
#define IDC_PW_PWLABEL2 107
#define IDC_PW_PASSWORD2 108
#define IDC_PW_BOTTOM 251

// [Install Options]: one template per number of options (1-4)
#define IDD_INSTALL_OPTIONS1 16
#define IDD_INSTALL_OPTIONS2 17
#define IDD_INSTALL_OPTIONS3 18
#define IDD_INSTALL_OPTIONS4 19
#define IDC_IO_INTRO 101
#define IDC_IO_OPT1MSG 102
#define IDC_IO_OPT2MSG 103
#define IDC_IO_EXITMSG 104
#define IDC_IO_OPT3MSG 105
#define IDC_IO_OPT4MSG 106
#define IDC_IO_HELPMSG 107
#define IDC_IO_OPT1 112
#define IDC_IO_OPT2 113
#define IDC_IO_OPT3 114
#define IDC_IO_OPT4 115
#define IDC_IO_EXIT 116
#define IDC_IO_HELP 117

// [Signon], [Info]: long and short text
#define IDD_SIGNON_LONG 20
#define IDD_SIGNON_SHORT 21
#define IDC_SIGNON_TEXT 100
#define IDC_SIGNON_PROMPT 101

// Shortcut folder
#define IDD_SHORTCUT_FOLDER 22
#define IDC_SCFOLDER_EDIT 131
#define IDC_SCFOLDER_MSG 132
#define IDC_SCFOLDER_LIST 133
#define IDC_SCFOLDER_EXIT 134

// Strings: input dialogs, check sections and shortcuts
#define IDS_DIR_FILE_MISSING 1103
#define IDS_CHECK_RESELECT 1128
#define IDS_SC_ASK_DESKTOP 1222
#define IDS_SC_ASK_STARTUP 1223
#define IDS_SC_ERROR 1224
#define IDS_SC_DEFAULT_FOLDER 1226
#define IDS_SC_NO_FOLDER 1228
#define IDS_PW_MISMATCH 5301
#define IDS_FIELD_BLANK 5302
#define IDS_FILE_EXISTS_WORD 5303
#define IDS_FILE_MISSING_WORD 5304
#define IDS_DIR_NOT_EXIST 5305
#define IDS_HELP_MISSING 5306
#define IDS_HELP_NO_ENGINE 5307

// The password-policy prompt of a new local user: the policy message and the
// new password twice
#define IDD_PW_POLICY 35
#define IDC_POLICY_MSG 101
#define IDC_POLICY_PASSWORD 102
#define IDC_POLICY_PASSWORD2 103
#define IDS_PW_POLICY_TITLE 5320
#define IDS_PW_POLICY_DEFAULT 5321
#define IDS_DIR_CANNOT_CREATE 1053

// [GetAllInstallInfo] (layout 1) and [GetAllInstallInfo2] (layout 2)
#define IDD_ALLINFO1 30
#define IDD_ALLINFO2 31
#define IDC_ALL_MSG1 101
#define IDC_ALL_MSG2 102
#define IDC_ALL_MSG3 103
#define IDC_ALL_MSG4 104
#define IDC_ALL_MSG5 105
#define IDC_ALL_MSG6 106
#define IDC_ALL_PATH 210
#define IDC_ALL_PATH2 212
#define IDC_ALL_PATH3 214
#define IDC_ALL_MORE1 218
#define IDC_ALL_MORE2 219
#define IDC_ALL_BROWSE1 221
#define IDC_ALL_BROWSE2 222
#define IDC_ALL_BROWSE3 223
#define IDC_ALL_CHECK1 231
#define IDC_ALL_CHECK2 232
#define IDC_ALL_DEFAULT 241
#define IDC_ALL_PROMPT 251
// Strings: the account checks of the command section
#define IDS_IS_ADMIN 1400
#define IDS_NOT_ADMIN_CONTINUE 1401
#define IDS_NOT_ADMIN_EXIT 1402
#define IDS_IS_MEMBER 1403
#define IDS_NOT_MEMBER_CONTINUE 1404
#define IDS_NOT_MEMBER_EXIT 1405

#endif
