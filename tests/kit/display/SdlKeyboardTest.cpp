#include <sdl_support/SdlKeyboard.h>
#include <sdl_support/SdlKeys.h>

#include <cstring>

#include <gtest/gtest.h>

using BPrivate::DisplayEvent;
using BPrivate::SdlKeyboard;

namespace {

// Events as SDL makes them; no display is needed to translate them.
SDL_KeyboardEvent Key(Uint32 type, SDL_Keycode symbol, SDL_Scancode scancode, Uint16 modifiers = 0)
{
	SDL_KeyboardEvent key;
	memset(&key, 0, sizeof(key));
	key.type = type;
	key.keysym.sym = symbol;
	key.keysym.scancode = scancode;
	key.keysym.mod = modifiers;
	return key;
}

SDL_TextInputEvent Text(const char* text)
{
	SDL_TextInputEvent input;
	memset(&input, 0, sizeof(input));
	input.type = SDL_TEXTINPUT;
	strncpy(input.text, text, sizeof(input.text) - 1);
	return input;
}

class SdlKeyboardTranslation : public testing::Test {
protected:
	SdlKeyboard fKeyboard;
};

TEST_F(SdlKeyboardTranslation, LetterWaitsForItsTextAndCarriesTheKeyCode)
{
	EXPECT_TRUE(fKeyboard.KeyDown(Key(SDL_KEYDOWN, SDLK_a, SDL_SCANCODE_A, KMOD_LSHIFT)).empty());
	std::vector<DisplayEvent> typed = fKeyboard.TextInput(Text("A"), KMOD_LSHIFT);
	ASSERT_EQ(typed.size(), 1u);
	EXPECT_EQ(typed[0].kind, DisplayEvent::kKeyDown);
	EXPECT_EQ(typed[0].bytes, "A");
	EXPECT_EQ(typed[0].key, 0x3c);
	EXPECT_EQ(typed[0].rawChar, 'a');
	EXPECT_EQ(typed[0].modifiers, 0x101u);  // B_SHIFT_KEY | B_LEFT_SHIFT_KEY
	std::vector<DisplayEvent> up = fKeyboard.KeyUp(Key(SDL_KEYUP, SDLK_a, SDL_SCANCODE_A));
	ASSERT_EQ(up.size(), 1u);
	EXPECT_EQ(up[0].kind, DisplayEvent::kKeyUp);
	EXPECT_EQ(up[0].bytes, "A");
}

TEST_F(SdlKeyboardTranslation, TextOfSeveralCharactersGivesOneKeyEach)
{
	std::vector<DisplayEvent> typed = fKeyboard.TextInput(Text("\xc3\xa9\xe2\x82\xac"), 0);
	ASSERT_EQ(typed.size(), 2u);
	EXPECT_EQ(typed[0].bytes, "\xc3\xa9");
	EXPECT_EQ(typed[1].bytes, "\xe2\x82\xac");
	EXPECT_EQ(typed[0].key, 0);
}

TEST_F(SdlKeyboardTranslation, KeysWithoutTextGoOutAtOnceWithTheirBeOSByteAndKeyCode)
{
	const struct {
		SDL_Keycode symbol;
		SDL_Scancode scancode;
		char byte;
		int32 key;
	} rows[] = {{SDLK_BACKSPACE, SDL_SCANCODE_BACKSPACE, 0x08, 0x1e},
		{SDLK_KP_ENTER, SDL_SCANCODE_KP_ENTER, 0x0a, 0x5b}, {SDLK_LEFT, SDL_SCANCODE_LEFT, 0x1c, 0x61},
		{SDLK_DELETE, SDL_SCANCODE_DELETE, 0x7f, 0x34},
		{SDLK_PAGEDOWN, SDL_SCANCODE_PAGEDOWN, 0x0c, 0x36},
		{SDLK_F11, SDL_SCANCODE_F11, 0x10, 0x0c}};  // a function key is told by its code
	for (const auto& row : rows) {
		std::vector<DisplayEvent> events = fKeyboard.KeyDown(Key(SDL_KEYDOWN, row.symbol,
			row.scancode));
		ASSERT_EQ(events.size(), 1u) << row.symbol;
		EXPECT_EQ(events[0].bytes, std::string(1, row.byte));
		EXPECT_EQ(events[0].key, row.key);
	}
}

TEST_F(SdlKeyboardTranslation, CtrlLetterIsTheCommandKeyWithThePlainLetter)
{
	std::vector<DisplayEvent> events = fKeyboard.KeyDown(Key(SDL_KEYDOWN, SDLK_s, SDL_SCANCODE_S,
		KMOD_LCTRL));
	ASSERT_EQ(events.size(), 1u);
	EXPECT_EQ(events[0].bytes, "s");
	EXPECT_EQ(events[0].rawChar, 's');
	// B_COMMAND_KEY | B_CONTROL_KEY and their left-hand bits.
	EXPECT_EQ(events[0].modifiers, 0x2u | 0x4u | 0x400u | 0x1000u);
	events = fKeyboard.KeyDown(Key(SDL_KEYDOWN, SDLK_z, SDL_SCANCODE_Z, KMOD_RCTRL | KMOD_LSHIFT));
	ASSERT_EQ(events.size(), 1u);
	EXPECT_EQ(events[0].bytes, "Z");
	EXPECT_EQ(events[0].rawChar, 'z');
}

TEST_F(SdlKeyboardTranslation, KeyUpOfAKeyNeverSeenDownIsDropped)
{
	EXPECT_TRUE(fKeyboard.KeyUp(Key(SDL_KEYUP, SDLK_q, SDL_SCANCODE_Q)).empty());
	// A key whose text never came types nothing and leaves nothing behind.
	EXPECT_TRUE(fKeyboard.KeyDown(Key(SDL_KEYDOWN, SDLK_q, SDL_SCANCODE_Q)).empty());
	EXPECT_TRUE(fKeyboard.KeyUp(Key(SDL_KEYUP, SDLK_q, SDL_SCANCODE_Q)).empty());
}

// SDL numbers the middle button second, the kit third.
TEST(SdlModifiers, AltIsOptionLocksAreKeptAndTheMiddleButtonIsTheThird)
{
	EXPECT_EQ(BPrivate::BeModifiers(KMOD_LALT), 0x40u | 0x4000u);
	EXPECT_EQ(BPrivate::BeModifiers(KMOD_CAPS | KMOD_NUM), 0x8u | 0x20u);
	EXPECT_EQ(BPrivate::BeButtons(SDL_BUTTON_LMASK | SDL_BUTTON_RMASK), 0x3u);
	EXPECT_EQ(BPrivate::BeButtons(SDL_BUTTON_MMASK), 0x4u);
}

} // namespace
