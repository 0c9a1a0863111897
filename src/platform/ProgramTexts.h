#pragma once

#include <QHash>
#include <QObject>
#include <QString>

#include <optional>

// The program's texts beyond the 373 lines of a language file: error and info
// boxes, prompts, tooltips, captions the language file does not reach, and
// the messages of the rules classes. They come from the supplement beside the
// language file ("english.lng" -> "english.msg"), one "key=text" line each,
// generated from tools/language/supplement.tsv.
//
// Each id's key is its name, so adding a text means one line here and one
// line in the table.
#define VESK_PROGRAM_TEXTS(X)                                                                                          \
    X(BuiltInGermanApplies)                                                                                            \
    X(SupplementUnreadable)                                                                                            \
    X(SupplementBadLine)                                                                                               \
    X(LanguageFileUnreadable)                                                                                          \
    X(FileNotWritable)                                                                                                 \
    X(WriteErrorIn)                                                                                                    \
    X(LogTooManySeparators)                                                                                            \
    X(LogUnreadable)                                                                                                   \
    X(LogReadErrorIn)                                                                                                  \
    X(LogMissing)                                                                                                      \
    X(FileNotFound)                                                                                                    \
    X(LogNotWritable)                                                                                                  \
    X(ContactNotAppended)                                                                                              \
    X(ContactNotSaved)                                                                                                 \
    X(FileNotReplaced)                                                                                                 \
    X(DokMissing)                                                                                                      \
    X(DokNotADok)                                                                                                      \
    X(DokTooShort)                                                                                                     \
    X(DokImportSummary)                                                                                                \
    X(RenamedClub)                                                                                                     \
    X(SpecialDok)                                                                                                      \
    X(DokClub)                                                                                                         \
    X(DokDistrict)                                                                                                     \
    X(ListUnreadable)                                                                                                  \
    X(DokNoSeparator)                                                                                                  \
    X(DokClubMissing)                                                                                                  \
    X(DokTwice)                                                                                                        \
    X(DstBadDate)                                                                                                      \
    X(DstBadWeekday)                                                                                                   \
    X(DstBadTime)                                                                                                      \
    X(DxccTooFewFields)                                                                                                \
    X(DxccWrongRowNumber)                                                                                              \
    X(DxccNotANumber)                                                                                                  \
    X(DxccOutOfRange)                                                                                                  \
    X(DxccNoSection)                                                                                                   \
    X(DxccNoRowNumber)                                                                                                 \
    X(DxccRowBeyondTable)                                                                                              \
    X(DxccTableMissingIndexKept)                                                                                       \
    X(DxccLineNotIndexed)                                                                                              \
    X(DxccPrefixNoKey)                                                                                                 \
    X(ImpossibleLocatorStart)                                                                                          \
    X(MoreBadLines)                                                                                                    \
    X(FileLineProblem)                                                                                                 \
    X(FileUnreadable)                                                                                                  \
    X(IniNoKeyValue)                                                                                                   \
    X(IniBeforeFirstSection)                                                                                           \
    X(IniKeyTwice)                                                                                                     \
    X(SunInternalError)                                                                                                \
    X(FileMissing)                                                                                                     \
    X(DxccRanking)                                                                                                     \
    X(DxccLongitude)                                                                                                   \
    X(DxccLatitude)                                                                                                    \
    X(DxccUtcOffset)                                                                                                   \
    X(DxccDstOffset)                                                                                                   \
    X(AdifNote)                                                                                                        \
    X(AdifTagNoLength)                                                                                                 \
    X(AdifTagPastEnd)                                                                                                  \
    X(AdifTagIntoNext)                                                                                                 \
    X(FileNotReadable)                                                                                                 \
    X(ReadErrorIn)                                                                                                     \
    X(ExportOverLog)                                                                                                   \
    X(NothingImported)                                                                                                 \
    X(ImportFileEmpty)                                                                                                 \
    X(ImportNotText)                                                                                                   \
    X(AdifLastRecordOpen)                                                                                              \
    X(NotAdif)                                                                                                         \
    X(NoHtmlTable)                                                                                                     \
    X(JoinIntoSource)                                                                                                  \
    X(LastNumberNotInteger)                                                                                            \
    X(NotATimeHms)                                                                                                     \
    X(NotADateDmy)                                                                                                     \
    X(UnreadableField)                                                                                                 \
    X(ChangedBeforeOpening)                                                                                            \
    X(ChangedWhileEditing)                                                                                             \
    X(DxccShortcutHint)                                                                                                \
    X(PleNotADate)                                                                                                     \
    X(PleNotATime)                                                                                                     \
    X(CopyFailed)                                                                                                      \
    X(ProgramFolderNotCreated)                                                                                         \
    X(ConverterLogNotInFolder)                                                                                         \
    X(ImportedAdif)                                                                                                    \
    X(ImportedSkippedRecords)                                                                                          \
    X(LogNowHolds)                                                                                                     \
    X(NotALineNumber)                                                                                                  \
    X(ImportedTable)                                                                                                   \
    X(ImportedSkippedRows)                                                                                             \
    X(Exported)                                                                                                        \
    X(Repaired)                                                                                                        \
    X(Joined)                                                                                                          \
    X(FieldColumn)                                                                                                     \
    X(ValueColumn)                                                                                                     \
    X(TextFileFilter)                                                                                                  \
    X(ScreenshotNotWritten)                                                                                            \
    X(DokGroupTitle)                                                                                                   \
    X(CliNeedsValue)                                                                                                   \
    X(CliUnknownOptionFor)                                                                                             \
    X(CliStartLineNumber)                                                                                              \
    X(CliNeedsLog)                                                                                                     \
    X(CliJoinNeeds)                                                                                                    \
    X(CliExportFormat)                                                                                                 \
    X(CliExportOutput)                                                                                                 \
    X(CliStartLineHtmlOnly)                                                                                            \
    X(CliExportNeedsLog)                                                                                               \
    X(CliImportFormat)                                                                                                 \
    X(CliOutputExportOnly)                                                                                             \
    X(CliImportTwoFiles)                                                                                               \
    X(CliUnknownOption)                                                                                                \
    X(CliUnknownCommand)                                                                                               \
    X(CliScreenshotWindowOnly)                                                                                         \
    X(CliHelp)                                                                                                         \
    X(CliFileNotFound)                                                                                                 \
    X(CliNormalized)                                                                                                   \
    X(CliNote)                                                                                                         \
    X(CliMoreNotes)                                                                                                    \
    X(CliExported)                                                                                                     \
    X(CliSkippedAdif)                                                                                                  \
    X(CliSkippedRows)                                                                                                  \
    X(CliImported)                                                                                                     \
    X(CliJoined)                                                                                                       \
    X(CliHelpHint)                                                                                                     \
    X(CliNoCommand)                                                                                                    \
    X(CliNoDxcc)                                                                                                       \
    X(CliLocalTime)                                                                                                    \
    X(CliSummerTime)                                                                                                   \
    X(CliYes)                                                                                                          \
    X(CliNo)                                                                                                           \
    X(CliDxccIndexBuilt)                                                                                               \
    X(CliLatLonDegrees)                                                                                                \
    X(CliImpossibleLocator)                                                                                            \
    X(CliSunDegrees)                                                                                                   \
    X(CliBadDate)                                                                                                      \
    X(CliBadZenith)                                                                                                    \
    X(CliSunNeverRises)                                                                                                \
    X(CliSunNeverSets)                                                                                                 \
    X(CliSunrise)                                                                                                      \
    X(CliSunset)                                                                                                       \
    X(CliDxccOneCall)                                                                                                  \
    X(CliBadUtc)                                                                                                       \
    X(CliDxccIndexNoOperands)                                                                                          \
    X(CliLocatorLatLon)                                                                                                \
    X(CliLocatorTwo)                                                                                                   \
    X(CliSunNeeds)                                                                                                     \
    X(CliNeedsOneOperand)                                                                                              \
    X(CliSearchNeeds)                                                                                                  \
    X(CliNoSuchField)                                                                                                  \
    X(CliNoSuchOperator)                                                                                               \
    X(CliFound)                                                                                                        \
    X(NoCabrilloImport)                                                                                                \
    X(NoFixedTextImport)                                                                                               \
    X(PageBackHint)                                                                                                    \
    X(PageForwardHint)                                                                                                 \
    X(CreateDxccIndexMenu)                                                                                             \
    X(DxccIndexSkipped)                                                                                                \
    X(ValueLabelHint)                                                                                                  \
    X(MaskDateInvalid)                                                                                                 \
    X(MaskTimeInvalid)                                                                                                 \
    X(FieldHeading)                                                                                                    \
    X(DefaultHeading)                                                                                                  \
    X(OrderHeading)                                                                                                    \
    X(MoreProblems)                                                                                                    \
    X(SettingsUnreadable)                                                                                              \
    X(SettingsNotSaved)                                                                                                \
    X(SettingsKeptUnreadable)                                                                                          \
    X(LastLogGone)                                                                                                     \
    X(UtcDiffNotANumber)                                                                                               \
    X(DxccTableEmptyIndexKept)                                                                                         \
    X(LogNotText)                                                                                                      \
    X(LogBusy)                                                                                                         \
    X(LogIncompleteLastLine)                                                                                           \
    X(LogFragmentMovedAside)                                                                                           \
    X(LogHeaderIsContact)                                                                                              \
    X(SettingsNotText)                                                                                                 \
    X(LastLogNotAName)                                                                                                 \
    X(HtmlColumnsCapped)                                                                                               \
    X(AdifCharactersLost)                                                                                              \
    X(QslDateUnreadable)                                                                                               \
    X(QslTimeUnreadable)                                                                                               \
    X(CardListOutdated)                                                                                                \
    X(CliQslListed)                                                                                                    \
    X(CardNeedsCall)                                                                                                   \
    X(CardCopyDiffers)                                                                                                 \
    X(CardOriginalKept)                                                                                                \
    X(CardUnreadable)                                                                                                  \
    X(EvalNumberUnreadable)                                                                                            \
    X(EvalDateUnreadable)                                                                                              \
    X(EvalFirstNumber)                                                                                                 \
    X(EvalLastNumber)                                                                                                  \
    X(EvalStartDate)                                                                                                   \
    X(EvalStopDate)                                                                                                    \
    X(EvalContactNumberUnreadable)                                                                                     \
    X(EvalContactDateUnreadable)                                                                                       \
    X(EvalContactLine)                                                                                                 \
    X(EvalMoreMessages)                                                                                                \
    X(CliEvalNeeds)                                                                                                    \
    X(CliEvalHtmlLocatorOnly)                                                                                          \
    X(StatusHelpHeading)                                                                                               \
    X(StatusLongDate)                                                                                                  \
    X(StatusShortDate)                                                                                                 \
    X(StatusTime)                                                                                                      \
    X(StatusTickCount)                                                                                                 \
    X(StatusQsoCount)                                                                                                  \
    X(StatusLastCall)                                                                                                  \
    X(StatusLogFile)                                                                                                   \
    X(StatusListState)                                                                                                 \
    X(StatusRefCount)                                                                                                  \
    X(StatusRefLog1)                                                                                                   \
    X(StatusRefLog2)                                                                                                   \
    X(StatusRefLog3)                                                                                                   \
    X(StatusRefLog4)                                                                                                   \
    X(StatusRacVersion)                                                                                                \
    X(StatusVeskVersion)                                                                                               \
    X(StatusLogFileAccessVersion)                                                                                      \
    X(StatusCallbookAccessVersion)                                                                                     \
    X(StatusLogConverterVersion)                                                                                       \
    X(StatusBarTemplateLabel)                                                                                          \
    X(ContestEmptyExpression)                                                                                          \
    X(ContestUnbalanced)                                                                                               \
    X(ContestTooDeep)                                                                                                  \
    X(ContestTooManyArguments)                                                                                         \
    X(ContestNotAnInteger)                                                                                             \
    X(ContestDivisionByZero)                                                                                           \
    X(ContestOverflow)                                                                                                 \
    X(ContestUndefinedVariable)                                                                                        \
    X(ContestPointsOverflow)                                                                                           \
    X(ContestMultipliersOverflow)                                                                                      \
    X(ContestScoreOverflow)                                                                                            \
    X(ContestTooManyColumns)                                                                                           \
    X(ContestRulesFileLine)                                                                                            \
    X(ContestFailureWhere)                                                                                             \
    X(ContestCellNotStorable)                                                                                          \
    X(ContestWorkbookNotWritten)                                                                                       \
    X(ContestWorkbookNotOpened)                                                                                        \
    X(CliContestNeeds)                                                                                                 \
    X(CliContestPoints)                                                                                                \
    X(CliContestMultipliers)                                                                                           \
    X(CliContestScore)                                                                                                 \
    X(DataFileRenameFailed)                                                                                            \
    X(DataFileTargetExists)                                                                                            \
    X(AboutManualLink)                                                                                                 \
    X(AboutLicenceLink)                                                                                                \
    X(CwFrequencyTooHigh)                                                                                              \
    X(CwSpeedInvalid)                                                                                                  \
    X(CwVolumeInvalid)                                                                                                 \
    X(CwNotAnInteger)                                                                                                  \
    X(CwNoAudioDevice)                                                                                                 \
    X(CwAudioFormatUnsupported)                                                                                        \
    X(CwAudioOpenFailed)                                                                                               \
    X(CwAudioFailed)                                                                                                   \
    X(CwAudioStalled)                                                                                                  \
    X(CwSpeakerModuleMissing)                                                                                          \
    X(CwSpeakerNotWritable)                                                                                            \
    X(CwSpeakerUnusable)                                                                                               \
    X(CwSpeakerFailed)                                                                                                 \
    X(CwSoundCardInstead)                                                                                              \
    X(CwHzLabel)                                                                                                       \
    X(CliCwNeedsText)                                                                                                  \
    X(CliCwNotANumber)                                                                                                 \
    X(CliCwWritten)                                                                                                    \
    X(CliCwTooLong)                                                                                                    \
    X(CliHelpCw)                                                                                                       \
    X(ContestRulesFilter)                                                                                              \
    X(ContestHeaderKeys)                                                                                               \
    X(ContestHeaderValue)                                                                                              \
    X(ContestHeaderKind)                                                                                               \
    X(ContestHeaderConditions)                                                                                         \
    X(ContestNoSuchContact)                                                                                            \
    X(QtTranslationLanguage)                                                                                           \
    X(ImportedSkippedRecord)                                                                                           \
    X(ImportedSkippedRow)                                                                                              \
    X(MapPictureMissing)                                                                                               \
    X(MapNotANumber)                                                                                                   \
    X(CallbookUlsFileMissing)                                                                                          \
    X(CallbookShortRecord)                                                                                             \
    X(CallbookStrayLine)                                                                                               \
    X(CallbookBadCallNote)                                                                                             \
    X(CallbookTooManyFields)                                                                                           \
    X(CallbookBadCall)                                                                                                 \
    X(CallbookDuplicateCall)                                                                                           \
    X(CallbookNotWindows1252)                                                                                          \
    X(CallbookEntryCut)                                                                                                \
    X(CallbookDatabaseName)                                                                                            \
    X(CliCallbookImportUsage)                                                                                          \
    X(CliCallbookUsage)                                                                                                \
    X(CliCallbookImported)                                                                                             \
    X(CliCallbookNoDatabase)                                                                                           \
    X(CliHelpCallbook)                                                                                                 \
    X(CallbookFileFilter)                                                                                              \
    X(RigRefused)                                                                                                      \
    X(RigHostNotFound)                                                                                                 \
    X(RigClosedByPeer)                                                                                                 \
    X(RigSocketError)                                                                                                  \
    X(RigNoAnswer)                                                                                                     \
    X(RigNoConnection)                                                                                                 \
    X(RigNotRigctld)                                                                                                   \
    X(RigError)                                                                                                        \
    X(RigWhere)                                                                                                        \
    X(RigLinkEnded)                                                                                                    \
    X(RigOptionsTab)                                                                                                   \
    X(RigGroupBox)                                                                                                     \
    X(RigHostLabel)                                                                                                    \
    X(RigPortLabel)                                                                                                    \
    X(RigTestButton)                                                                                                   \
    X(RigTesting)                                                                                                      \
    X(RigTestAnswered)                                                                                                 \
    X(RigTestNoAnswer)                                                                                                 \
    X(RigPortInvalid)                                                                                                  \
    X(RigHostEmpty)                                                                                                    \
    X(CliRigRig)                                                                                                       \
    X(CliRigDerived)                                                                                                   \
    X(CliRigNoBand)                                                                                                    \
    X(CliRigSent)                                                                                                      \
    X(CliRigRefused)                                                                                                   \
    X(CliRigNothingToSend)                                                                                             \
    X(CliRigBadPort)                                                                                                   \
    X(CliRigNoOperands)                                                                                                \
    X(CliHelpRig)                                                                                                      \
    X(PropagationCaption)                                                                                              \
    X(PropagationChartTab)                                                                                             \
    X(PropagationAreaTab)                                                                                              \
    X(PropagationSunspots)                                                                                             \
    X(PropagationShortPath)                                                                                            \
    X(PropagationLongPath)                                                                                             \
    X(PropagationBandLine)                                                                                             \
    X(PropagationOpenHours)                                                                                            \
    X(PropagationPathText)                                                                                             \
    X(PropagationPosition)                                                                                             \
    X(PropagationAreaText)                                                                                             \
    X(PropagationLegend)                                                                                               \
    X(PropagationNow)                                                                                                  \
    X(HamCapReportedError)                                                                                             \
    X(PropagationHomeOffGlobe)                                                                                         \
    X(PropagationDxOffGlobe)                                                                                           \
    X(PropagationUnknownCall)                                                                                          \
    X(PropagationNoTarget)                                                                                             \
    X(PropagationMemberRefused)                                                                                        \
    X(PropagationNotStarted)                                                                                           \
    X(PropagationMapMissing)                                                                                           \
    X(DeleteContactButton)                                                                                             \
    X(DeleteContactQuestion)                                                                                           \
    X(DeleteChangedOutside)                                                                                            \
    X(UndoDeleteMenu)                                                                                                  \
    X(UndoDeleteRefused)

enum class Msg : int {
#define VESK_PROGRAM_TEXT_ID(name) name,
    VESK_PROGRAM_TEXTS(VESK_PROGRAM_TEXT_ID)
#undef VESK_PROGRAM_TEXT_ID
};

// Tells the windows that the texts have changed.
class ProgramTextsNotifier : public QObject {
    Q_OBJECT
Q_SIGNALS:
    void changed();
};

namespace ProgramTexts {

inline constexpr int Count = 0
#define VESK_PROGRAM_TEXT_COUNT(name) +1
    VESK_PROGRAM_TEXTS(VESK_PROGRAM_TEXT_COUNT)
#undef VESK_PROGRAM_TEXT_COUNT
    ;

// The key of an id in a supplement file, and back.
const char* key(Msg id);
std::optional<Msg> idOf(const QString& key);

// The current text of id: from the supplement loaded last, else the built-in
// German text. One table for the whole process, as the rules classes build
// messages without a window at hand.
QString text(Msg id);

// The supplement that belongs to a language file: same folder, same base
// name, ".msg".
QString supplementPath(const QString& languageFile);

// All key=text lines of a supplement, "#13#10" decoded to a line break.
// Unknown keys are kept, so that a check can name them. When the file cannot
// be read or a line is no key=text, nothing is returned and error names the
// file (and the line); else error is empty.
QHash<QString, QString> read(const QString& path, QString* error);

// The German supplement compiled into the program.
const QHash<QString, QString>& builtInGerman();

// Makes texts current; a key missing there takes its built-in German text.
void setCurrent(const QHash<QString, QString>& texts);
void useBuiltInGerman();

// Runs apply now and again after every change of the texts, for as long as
// receiver lives: a window sets its captions that way, so that they follow a
// switch of the language while it is open.
ProgramTextsNotifier* notifier();
template <typename Apply> void follow(QObject* receiver, Apply apply) {
    apply();
    QObject::connect(notifier(), &ProgramTextsNotifier::changed, receiver, apply);
}

// Makes the supplement of languageFile current. A missing supplement means
// German for every key and is no error (a language file of one's own need
// not come with one); a supplement that cannot be read also means German,
// and the returned text says why (empty when all went well).
QString loadFor(const QString& languageFile);

} // namespace ProgramTexts

// The current text of id, the way code asks for it.
inline QString msgText(Msg id) { return ProgramTexts::text(id); }
