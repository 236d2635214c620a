// The program's batch commands, run as a user runs them.

#include <gtest/gtest.h>

#include <sstream>

#include "ProgramRun.h"
#include "TempDirectory.h"

namespace {

class BatchCommands : public testing::Test {
protected:
	std::string Page(const std::string& html)
	{
		fFolder.Write("page.html", html);
		return fFolder / "page.html";
	}

	TempDirectory fFolder;
};

} // namespace

TEST_F(BatchCommands, CheckListsTheReportsAndSaysWhetherThereAreErrors)
{
	ProgramRun clean = ProgramRun::Of({"--check", Page(
		"<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.01//EN\">\n"
		"<html><head><title>t</title></head><body><p>x</p></body></html>\n")});
	EXPECT_EQ(clean.status, 0) << clean.errors;
	EXPECT_NE(clean.output.find("2\t0\t0\t0 warnings/errors were found.\n"), std::string::npos)
		<< clean.output;

	std::string html = "<html><body>ok <blink2>x</blink2></body></html>";
	ProgramRun broken = ProgramRun::Of({"--check", Page(html)});
	EXPECT_EQ(broken.status, 1);
	std::string offset = std::to_string(html.find("<blink2>"));
	EXPECT_NE(broken.output.find("0\t" + offset + "\t" + offset
		+ "\tError: <blink2> is not recognized! - It is not a valid HTML tag.\n"),
		std::string::npos) << broken.output;
	std::istringstream lines(broken.output);
	for (std::string line; std::getline(lines, line);)
		EXPECT_EQ(std::count(line.begin(), line.end(), '\t'), 3) << line;
}

TEST_F(BatchCommands, AFileThatCannotBeReadIsSaidSoWithStatusTwo)
{
	for (const char* command : {"--check", "--roundtrip", "--text"}) {
		ProgramRun missing = ProgramRun::Of({command, fFolder / "missing.html"});
		EXPECT_EQ(missing.status, 2) << command;
		EXPECT_NE(missing.errors.find("cannot read"), std::string::npos) << command;
		EXPECT_NE(missing.errors.find("missing.html"), std::string::npos) << command;
		EXPECT_FALSE(fFolder.Exists("missing.html")) << "nothing is made for it";
	}
	ProgramRun folder = ProgramRun::Of({"--check", fFolder.Path()});
	EXPECT_EQ(folder.status, 2);
	EXPECT_EQ(ProgramRun::Of({"--roundtrip"}).status, 64);
}

TEST_F(BatchCommands, RoundTripWritesThePageAsASaveWould)
{
	std::string page = Page("<html><head><title>T</title></head><body>a<b>b</b></body></html>\n");
	ProgramRun run = ProgramRun::Of({"--roundtrip", page});
	ASSERT_EQ(run.status, 0) << run.errors;
	EXPECT_EQ(run.output.substr(0, 16), "<HTML>\r\n<HEAD>\r\n");
	EXPECT_NE(run.output.find("\r\na<B>b</B>\r\n</BODY>\r\n</HTML>\r\n"), std::string::npos);
	EXPECT_EQ(run.output.find("\r\r"), std::string::npos);
	ProgramRun toFile = ProgramRun::Of({"--roundtrip", page, "-o", fFolder / "out.html"});
	ASSERT_EQ(toFile.status, 0);
	EXPECT_EQ(fFolder.Read("out.html"), run.output);
	EXPECT_EQ(fFolder.Read("page.html"),
		"<html><head><title>T</title></head><body>a<b>b</b></body></html>\n")
		<< "the page itself is not touched";
	EXPECT_FALSE(fFolder.Exists("$VLM-page.html0.html")) << "scratch files are gone";
}

TEST_F(BatchCommands, CorrectDeclaresUTF8ForUTF8BytesUnderASingleByteDeclaration)
{
	std::string page = Page("<html><head><meta charset=\"windows-1252\"></head>"
		"<body><p>Jos\xC3\xA9</p></body></html>\n");
	ProgramRun roundTrip = ProgramRun::Of({"--roundtrip", page});
	ASSERT_EQ(roundTrip.status, 0) << roundTrip.errors;
	EXPECT_NE(roundTrip.output.find("<P>Jos\xC3\xA9</P>"), std::string::npos) << roundTrip.output;
	ProgramRun corrected = ProgramRun::Of({"--correct", page, "-o", fFolder / "out.html"});
	ASSERT_EQ(corrected.status, 0) << corrected.errors;
	std::string written = fFolder.Read("out.html");
	EXPECT_NE(written.find("<META charset=\"UTF-8\">"), std::string::npos) << written;
	EXPECT_NE(written.find("<P>Jos&eacute;</P>"), std::string::npos) << written;
}

TEST_F(BatchCommands, TextShowsTheVisualTextWithoutElementSpaces)
{
	ProgramRun run = ProgramRun::Of({"--text",
		Page("<html><body>a&nbsp;b<p>c<hr>d<br>e</body></html>")});
	ASSERT_EQ(run.status, 0) << run.errors;
	EXPECT_EQ(run.output, "a b\nc\nd\ne") << "a rule's line is its space";
}

TEST_F(BatchCommands, TheEditorWithoutADisplaySaysSoAndNamesTheBatchCommands)
{
	ProgramRun run = ProgramRun::With({Page("<p>x</p>")},
		{"DISPLAY", "WAYLAND_DISPLAY", "VELMORA_DISPLAY", "SDL_VIDEODRIVER"});
	EXPECT_EQ(run.status, 1);
	EXPECT_NE(run.errors.find("needs a desktop display"), std::string::npos) << run.errors;
	EXPECT_NE(run.errors.find("velmora --check FILE"), std::string::npos) << run.errors;
	EXPECT_FALSE(fFolder.Exists("$VLM-page.html0.html")) << "no page was opened";
}
