#include "web/core/WebHelpTexts.h"

#include "session/HelpTexts.h"
#include "web/core/Json.h"

namespace orbisk::web {

std::string helpTextsJson() {
  JsonObject hints;
  hints.add("title", HintsTexts::title)
      .add("heading", HintsTexts::heading)
      .add("text", hintsHelpText())
      .add("contact", JsonArray().add(HintsTexts::contact1).add(HintsTexts::contact2))
      .add("close", HintsTexts::close);
  JsonObject about;
  about.add("title", AboutTexts::title)
      .add("name", AboutTexts::name)
      .add("version", AboutTexts::version)
      .add("credit", AboutTexts::credit)
      .add("contact", JsonArray().add(AboutTexts::contact1).add(AboutTexts::contact2))
      .add("ordering", AboutTexts::ordering)
      .add("ok", AboutTexts::ok);
  JsonObject texts;
  texts.add("hints", hints).add("about", about);
  return texts.text();
}

}  // namespace orbisk::web
