// placeholder replaced by the capture run
namespace Tarnwick { int CaptureRunPlaceholder() { return 0; } }
