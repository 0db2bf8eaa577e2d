#include "app/screens/reaction/emoji_picker_grid.h"
#include "app/screens/reaction/reaction_editor.h"
#include "app/screens/reaction/reaction_preview_card.h"
#include "gallery/gallery.h"
#include "model/tavik_event_catalog.h"

namespace {

QString text(const char* utf8) {
    return QString::fromUtf8(utf8);
}

ReactionEditor* editor(GalleryFixture& fixture, const ReactionConfig& reaction,
                       const QStringList& suggested) {
    auto* editor = new ReactionEditor(fixture.sound);
    editor->setSuggestedEmojis(suggested);
    editor->setShowPresets(true);
    editor->setReaction(reaction);
    return editor;
}

// Sample details of the kind each context's reactions carry.
ReactionDetails sampleDetails(ReactionContext context) {
    ReactionDetails details;
    details.context = context;
    switch (context) {
    case ReactionContext::goal:
        return ReactionDetails::forGoal(MetricKind::revenueToday, 1240, 1000);
    case ReactionContext::purchase:
    case ReactionContext::whale:
    case ReactionContext::dispute:
    case ReactionContext::failed:
    case ReactionContext::refund:
        details.amountCents = context == ReactionContext::whale ? 250000 : 4900;
        details.productLine = QStringLiteral("Starter kit");
        details.planLine = QStringLiteral("Pro yearly");
        break;
    case ReactionContext::test:
        details.amountLine = QStringLiteral("$42.00");
        break;
    default:
        details.amountLine = QStringLiteral("+12");
        details.metricLabel = QStringLiteral("Sessions");
        break;
    }
    return details;
}

ReactionConfig sampleReaction(ReactionContext context) {
    for (const TavikEventDefinition& definition : TavikEventCatalog::all())
        if (definition.reactionContext == context)
            return definition.defaultReaction;
    return {text("\U0001F389"), SoundEffect::applause, QStringLiteral("Let's go!")};
}

} // namespace

ZINGBOARD_GALLERY_AREA(reaction) {
    const QSize editorSize(440, 600);
    gallery.add({QStringLiteral("reaction-editor-currency-goal"), editorSize, [](GalleryFixture& f) {
                     auto* e = editor(
                         f, {text("\U0001F911"), SoundEffect::moan, QStringLiteral("Show me the money!")},
                         {text("\U0001F4B0"), text("\U0001F911"), text("\U0001F4B8")});
                     e->setGoalMetric(MetricKind::revenueToday);
                     return e;
                 }});
    gallery.add({QStringLiteral("reaction-editor-avgposition-goal"), editorSize, [](GalleryFixture& f) {
                     auto* e = editor(
                         f, {text("\U0001F50D"), SoundEffect::applause, QStringLiteral("Google noticed!")},
                         {text("\U0001F50D"), text("\u2728"), text("\U0001F451"), text("\U0001F4C8")});
                     e->setGoalMetric(MetricKind::avgPosition);
                     return e;
                 }});
    gallery.add({QStringLiteral("reaction-editor-refund-trigger"), editorSize, [](GalleryFixture& f) {
                     const auto& refund = TavikEventCatalog::definition(TriggerEventKind::stripeRefund);
                     auto* e = editor(f, refund.defaultReaction, {});
                     e->setEventKind(TriggerEventKind::stripeRefund);
                     return e;
                 }});
    gallery.add(
        {QStringLiteral("reaction-editor-grid-focus"), editorSize, [](GalleryFixture& f) {
             auto* e = editor(f, {text("\U0001F996"), SoundEffect::whisper, QStringLiteral("Rawr")}, {});
             e->setEventKind(TriggerEventKind::gscClicks);
             f.focus = e->emojiGrid();
             return e;
         }});

    for (ReactionContext context : ReactionContexts::allCases()) {
        gallery.add({QStringLiteral("reaction-preview-") + ReactionContexts::rawValue(context),
                     QSize(320, 340), [context](GalleryFixture&) {
                         auto* card = new ReactionPreviewCard;
                         card->setReaction(sampleReaction(context));
                         card->setContext(context);
                         card->setSubtitle(QStringLiteral("Alex Chen \u00b7 just now"));
                         card->setDetails(sampleDetails(context));
                         return card;
                     }});
    }
    gallery.add(
        {QStringLiteral("reaction-preview-long-message"), QSize(320, 340), [](GalleryFixture&) {
             auto* card = new ReactionPreviewCard;
             card->setReaction({text("\U0001F680"), SoundEffect::rocketWhoosh,
                                QStringLiteral("Another subscriber joined the yearly plan while you slept")});
             card->setContext(ReactionContext::subscription);
             ReactionDetails details;
             details.context = ReactionContext::subscription;
             details.productLine = QStringLiteral("Zingboard Pro with an unusually long product name");
             details.planLine = QStringLiteral("Yearly");
             card->setDetails(details);
             return card;
         }});
}
