#ifndef VELMORA_TESTS_HEADLESS_BROWSER_H
#define VELMORA_TESTS_HEADLESS_BROWSER_H

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <optional>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "TempDirectory.h"

extern char** environ;

// A real browser engine (the headless shell of Debian's chromium) driven
// through its debugging protocol over a pair of pipes: one tab, pages loaded
// from files, questions asked in JavaScript, screenshots taken. It reaches
// no network: every host name fails to resolve, so a page renders the same
// on every machine. Page scripts do not run, so that what a page shows does
// not depend on the time or on chance.
class HeadlessBrowser {
public:
	static constexpr const char* kProgram = "/usr/bin/chromium-headless-shell";
	static constexpr int kWidth = 1024;
	static constexpr int kHeight = 768;

	HeadlessBrowser()
	{
		if (access(kProgram, X_OK) != 0)
			return;
		int toBrowser[2];
		int fromBrowser[2];
		if (pipe2(toBrowser, O_CLOEXEC) != 0)
			return;
		if (pipe2(fromBrowser, O_CLOEXEC) != 0) {
			close(toBrowser[0]);
			close(toBrowser[1]);
			return;
		}
		std::vector<std::string> arguments = {kProgram, "--headless", "--no-sandbox",
			"--disable-gpu", "--disable-quic", "--no-first-run",
			"--disable-background-networking", "--disable-component-update", "--disable-sync",
			"--remote-debugging-pipe", "--user-data-dir=" + (fProfile / "profile"),
			"--host-resolver-rules=MAP * ~NOTFOUND", "--hide-scrollbars",
			"--window-size=" + std::to_string(kWidth) + "," + std::to_string(kHeight),
			"--font-render-hinting=none", "about:blank"};
		std::vector<char*> argv;
		for (std::string& argument : arguments)
			argv.push_back(argument.data());
		argv.push_back(nullptr);
		posix_spawn_file_actions_t actions;
		posix_spawn_file_actions_init(&actions);
		// The protocol's pipes are the browser's descriptors 3 and 4.
		posix_spawn_file_actions_adddup2(&actions, toBrowser[0], 3);
		posix_spawn_file_actions_adddup2(&actions, fromBrowser[1], 4);
		posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
		posix_spawn_file_actions_addopen(&actions, 2, (fProfile / "log").c_str(),
			O_WRONLY | O_CREAT | O_TRUNC, 0644);
		if (posix_spawn(&fChild, kProgram, &actions, nullptr, argv.data(), environ) != 0)
			fChild = -1;
		posix_spawn_file_actions_destroy(&actions);
		close(toBrowser[0]);
		close(fromBrowser[1]);
		fWrite = toBrowser[1];
		fRead = fromBrowser[0];
		if (fChild > 0)
			fReady = OpenTab();
	}

	~HeadlessBrowser()
	{
		if (fWrite >= 0)
			close(fWrite);
		if (fRead >= 0)
			close(fRead);
		if (fChild > 0) {
			// Closing the pipes asks it to end; a browser that hangs is ended.
			for (int waited = 0; waited < 50; waited++) {
				if (waitpid(fChild, nullptr, WNOHANG) == fChild)
					return;
				usleep(100000);
			}
			kill(fChild, SIGKILL);
			waitpid(fChild, nullptr, 0);
		}
	}

	HeadlessBrowser(const HeadlessBrowser&) = delete;
	HeadlessBrowser& operator=(const HeadlessBrowser&) = delete;

	bool IsReady() const { return fReady; }

	// Loads the file in the tab and waits for its load event.
	bool Load(const std::string& path)
	{
		fLoaded = false;
		std::optional<nlohmann::json> navigated = Call("Page.navigate",
			{{"url", "file://" + path}});
		if (!navigated || navigated->contains("errorText"))
			return false;
		auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
		while (!fLoaded) {
			if (!ReadMessage(deadline))
				return false;
		}
		return true;
	}

	// The value of a JavaScript expression in the loaded page, as JSON.
	std::optional<nlohmann::json> Evaluate(const std::string& expression)
	{
		std::optional<nlohmann::json> result = Call("Runtime.evaluate",
			{{"expression", expression}, {"returnByValue", true}});
		if (!result || result->contains("exceptionDetails"))
			return std::nullopt;
		return (*result)["result"].value("value", nlohmann::json());
	}

	// A PNG of the page's top, `height` pixels down (below the first
	// screen too), as base64 text.
	std::optional<std::string> Screenshot(int height)
	{
		nlohmann::json clip = {{"x", 0}, {"y", 0}, {"width", kWidth}, {"height", height},
			{"scale", 1}};
		std::optional<nlohmann::json> result = Call("Page.captureScreenshot",
			{{"format", "png"}, {"clip", clip}, {"captureBeyondViewport", true}});
		if (!result || !result->contains("data"))
			return std::nullopt;
		return (*result)["data"].get<std::string>();
	}

private:
	bool OpenTab()
	{
		std::optional<nlohmann::json> target = Call("Target.createTarget",
			{{"url", "about:blank"}}, false);
		if (!target)
			return false;
		std::optional<nlohmann::json> attached = Call("Target.attachToTarget",
			{{"targetId", (*target)["targetId"]}, {"flatten", true}}, false);
		if (!attached)
			return false;
		fSession = (*attached)["sessionId"].get<std::string>();
		nlohmann::json metrics = {{"width", kWidth}, {"height", kHeight},
			{"deviceScaleFactor", 1}, {"mobile", false}};
		return Call("Page.enable", nlohmann::json::object())
			&& Call("Emulation.setDeviceMetricsOverride", metrics)
			&& Call("Emulation.setScriptExecutionDisabled", {{"value", true}});
	}

	std::optional<nlohmann::json> Call(const std::string& method, const nlohmann::json& params,
		bool inTab = true)
	{
		int id = ++fLastId;
		nlohmann::json message = {{"id", id}, {"method", method}, {"params", params}};
		if (inTab)
			message["sessionId"] = fSession;
		std::string bytes = message.dump();
		bytes += '\0';
		for (size_t sent = 0; sent < bytes.size();) {
			ssize_t count = write(fWrite, bytes.data() + sent, bytes.size() - sent);
			if (count <= 0)
				return std::nullopt;
			sent += static_cast<size_t>(count);
		}
		auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(30);
		while (true) {
			std::optional<nlohmann::json> reply = ReadMessage(deadline);
			if (!reply)
				return std::nullopt;
			if (reply->value("id", 0) != id)
				continue;
			if (reply->contains("error"))
				return std::nullopt;
			return (*reply)["result"];
		}
	}

	// The next message of the browser; events are noted on the way.
	std::optional<nlohmann::json> ReadMessage(std::chrono::steady_clock::time_point deadline)
	{
		while (true) {
			size_t end = fPending.find('\0');
			if (end != std::string::npos) {
				nlohmann::json message = nlohmann::json::parse(fPending.substr(0, end), nullptr,
					false);
				fPending.erase(0, end + 1);
				if (message.is_discarded())
					continue;
				if (message.value("method", "") == "Page.loadEventFired")
					fLoaded = true;
				return message;
			}
			auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
				deadline - std::chrono::steady_clock::now()).count();
			if (left <= 0)
				return std::nullopt;
			pollfd readable = {fRead, POLLIN, 0};
			if (poll(&readable, 1, static_cast<int>(left)) <= 0)
				return std::nullopt;
			char chunk[65536];
			ssize_t count = read(fRead, chunk, sizeof(chunk));
			if (count <= 0)
				return std::nullopt;
			fPending.append(chunk, static_cast<size_t>(count));
		}
	}

	TempDirectory fProfile;
	pid_t fChild = -1;
	int fWrite = -1;
	int fRead = -1;
	int fLastId = 0;
	std::string fSession;
	std::string fPending;
	bool fLoaded = false;
	bool fReady = false;
};

#endif
