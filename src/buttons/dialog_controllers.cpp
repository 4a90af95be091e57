#include "buttons/dialog_controllers.h"

#include "buttons/dialog_fields.h"
#include "model/key_tables.h"

namespace px {
namespace {

std::vector<Text> Texts(const std::vector<TextView>& views) { return {views.begin(), views.end()}; }

}  // namespace

ListDialogController::ListDialogController(DialogKind kind, DialogView& view, DialogContext context,
                                           std::uint8_t dpiTableVariant)
    : DialogController(kind, view, std::move(context)), variant_(dpiTableVariant) {
  SetChosen(0, Text(InitialChoiceText(kind, Context().language, variant_)));
}

std::vector<Text> ListDialogController::ListItems() {
  return Texts(DialogListItems(Kind(), Context().language, variant_));
}

// --- fire key --------------------------------------------------------------

FireKeyController::FireKeyController(DialogView& view, DialogContext context)
    : DialogController(DialogKind::FireKey, view, std::move(context)),
      timesText_(kFireTimesDefaultText),
      makeText_(kFireTimeDefaultText),
      breakText_(kFireTimeDefaultText) {
  SetChosen(0, Text(FireKeyList[0].text));
}

void FireKeyController::CreateFields() {
  View().CreateEdit(kFireTimesId, kFireTimesField, timesText_);
  View().CreateEdit(kFireMakeId, kFireMakeField, makeText_);
  View().CreateEdit(kFireBreakId, kFireBreakField, breakText_);
}

std::vector<Text> FireKeyController::ListItems() {
  return Texts(DialogListItems(DialogKind::FireKey, Context().language));
}

void FireKeyController::BeforeListCreated() {
  // A time being typed counts as left when its field gives way to the list.
  for (int id : {kFireMakeId, kFireBreakId}) {
    if (View().EditExists(id)) ApplyTimeField(id, View().EditText(id));
  }
  for (int id : {kFireTimesId, kFireMakeId, kFireBreakId}) View().DestroyEdit(id);
}

void FireKeyController::AfterListClosed() {
  if (!View().EditExists(kFireTimesId)) CreateFields();
}

void FireKeyController::DrawExtraTexts() {
  const FireKeyTexts& texts = FireKeyTextsFor(Context().language);
  const UiTextColor color = Context().textColor;
  View().DrawText(texts.times, kFireTimesCaption, kRightText, color);
  View().DrawText(texts.make, kFireMakeCaption, kRightText, color);
  View().DrawText(texts.breakTime, kFireBreakCaption, kRightText, color);
  View().DrawText(texts.timeNote, kFireTimeNote, kWholeLeftText, color);
  View().DrawText(texts.timesNote, kFireTimesNote, kWholeLeftText, color);
  View().DrawText(ChosenText(), kFireChosenText, kCentredText, color);
}

void FireKeyController::EditChanged(int id, TextView text) {
  // Times follows every change; the two times wait for the focus to leave.
  if (id != kFireTimesId) return;
  timesText_ = Text(text);
  const FireFieldOutcome outcome = ApplyTimesRule(text);
  times_ = outcome.value;
  if (outcome.resetText) {
    timesText_ = Text(*outcome.resetText);
    View().SetEditText(kFireTimesId, *outcome.resetText);
  }
}

void FireKeyController::EditFocusLost(int id, TextView text) {
  if (id == kFireMakeId || id == kFireBreakId) ApplyTimeField(id, text);
}

void FireKeyController::ApplyTimeField(int id, TextView text) {
  Text& kept = id == kFireMakeId ? makeText_ : breakText_;
  std::uint8_t& value = id == kFireMakeId ? makeTime_ : breakTime_;
  kept = Text(text);
  const FireFieldOutcome outcome = ApplyTimeRule(text);
  value = outcome.value;
  if (outcome.resetText) {
    kept = Text(*outcome.resetText);
    View().SetEditText(id, kept);
  }
}

void FireKeyController::Ok() {
  // A time typed into a field that still has the focus counts as it is
  // shown: the rule that focus loss applies runs before the dialog ends.
  for (int id : {kFireMakeId, kFireBreakId}) {
    if (View().EditExists(id)) ApplyTimeField(id, View().EditText(id));
  }
  DialogController::Ok();
}

// --- single key ------------------------------------------------------------

SingleKeyController::SingleKeyController(DialogView& view, DialogContext context)
    : DialogController(DialogKind::Single, view, std::move(context)) {}

bool SingleKeyController::FinishOpening() {
  if (const std::optional<unsigned long> error = View().StartKeyCapture()) {
    View().ShowMessage(HookInstallErrorText(*error), View().ApplicationName());
    return false;
  }
  return true;
}

void SingleKeyController::DrawExtraTexts() {
  View().DrawText(SingleKeyPrompt(Context().language), kSingleKeyPrompt, kCentredText, kDialogWhite);
}

void SingleKeyController::KeyCaptured(TextView name) {
  SetChosen(0, Text(name));
  View().SetLabelText(Spec().labelId, name);
}

// --- modal runs --------------------------------------------------------------

std::optional<ListChoice> RunListDialog(ModalDialogView& window, DialogKind kind, const DialogContext& context,
                                        std::uint8_t dpiTableVariant) {
  ListDialogController controller(kind, window, context, dpiTableVariant);
  if (window.RunModal(controller) != DialogEnd::Ok) return std::nullopt;
  return controller.Result();
}

std::optional<FireKeyChoice> RunFireKeyDialog(ModalDialogView& window, const DialogContext& context) {
  FireKeyController controller(window, context);
  if (window.RunModal(controller) != DialogEnd::Ok) return std::nullopt;
  return controller.Result();
}

std::optional<SingleKeyChoice> RunSingleKeyDialog(ModalDialogView& window, const DialogContext& context) {
  SingleKeyController controller(window, context);
  if (window.RunModal(controller) != DialogEnd::Ok) return std::nullopt;
  return controller.Result();
}

}  // namespace px
