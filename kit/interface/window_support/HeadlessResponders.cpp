#include <WindowTesting.h>

#include <mutex>

namespace BPrivate {

namespace {

struct Responders {
	std::mutex lock;
	AlertResponder alertResponder;
	std::vector<AlertRecord> alerts;
	FilePanelResponder panelResponder;
	std::vector<FilePanelRequest> panels;
};

Responders& TheResponders()
{
	static Responders* responders = new Responders;
	return *responders;
}

} // namespace

void SetAlertResponder(AlertResponder responder)
{
	Responders& responders = TheResponders();
	std::lock_guard<std::mutex> guard(responders.lock);
	responders.alertResponder = std::move(responder);
}

std::vector<AlertRecord> AlertsShown()
{
	Responders& responders = TheResponders();
	std::lock_guard<std::mutex> guard(responders.lock);
	return responders.alerts;
}

void ForgetAlertsShown()
{
	Responders& responders = TheResponders();
	std::lock_guard<std::mutex> guard(responders.lock);
	responders.alerts.clear();
}

int32 AnswerAlertHeadless(const AlertRecord& alert)
{
	Responders& responders = TheResponders();
	AlertResponder responder;
	{
		std::lock_guard<std::mutex> guard(responders.lock);
		responder = responders.alertResponder;
	}
	// Asked outside the lock: a responder may look at the alerts so far.
	int32 last = static_cast<int32>(alert.buttons.size()) - 1;
	int32 chosen = responder ? responder(alert) : last;
	if (chosen < 0 || chosen > last)
		chosen = last;
	AlertRecord record = alert;
	record.chosen = chosen;
	std::lock_guard<std::mutex> guard(responders.lock);
	responders.alerts.push_back(record);
	return chosen;
}

void SetFilePanelResponder(FilePanelResponder responder)
{
	Responders& responders = TheResponders();
	std::lock_guard<std::mutex> guard(responders.lock);
	responders.panelResponder = std::move(responder);
}

std::vector<FilePanelRequest> FilePanelsShown()
{
	Responders& responders = TheResponders();
	std::lock_guard<std::mutex> guard(responders.lock);
	return responders.panels;
}

FilePanelAnswer AnswerFilePanelHeadless(const FilePanelRequest& request)
{
	Responders& responders = TheResponders();
	FilePanelResponder responder;
	{
		std::lock_guard<std::mutex> guard(responders.lock);
		responder = responders.panelResponder;
		responders.panels.push_back(request);
	}
	return responder ? responder(request) : FilePanelAnswer();
}

} // namespace BPrivate
