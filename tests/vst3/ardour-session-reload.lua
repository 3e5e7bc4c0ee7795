-- Run by ardour7-lua, second of two: reloads the session ardour-session-save.lua saved, in a new
-- process, as a user reopens a project. Every room control must read as saved, and the first
-- render must equal a second one: the room sounds as its controls say from the start.
-- Prints "RESULT: PASS" or "RESULT: FAIL".
local dir = os.getenv("ARDOUR_TEST_DIR")
local length = 168000 -- 3.5 s

local common = dofile(debug.getinfo(1, "S").source:sub(2):match("(.*/)") .. "ardour-common.lua")
local fail = common.fail
local values = dofile(common.beside("ardour-room-values.lua"))

common.startDummyEngine(48000)
Session = load_session(dir .. "/reload", "reload")
if not Session then fail("the session does not load") end

local route = Session:route_by_name("T")
if route:isnil() then fail("no track") end
local track = route:to_track()
local effect = route:nth_plugin(0)
if effect:isnil() then fail("the plug-in is gone") end

local ok = true
for _, v in ipairs(values) do
	local got = ARDOUR.LuaAPI.get_processor_param(effect, v[1], true)
	print(string.format("%s = %g (saved %g)", v[2], got, v[3]))
	if math.abs(got - v[3]) > 1e-5 * math.max(1, math.abs(v[3])) then ok = false end
end
if not ok then fail("the controls do not read as saved") end

local buffer = ARDOUR.DSP.DspShm(8192)
local function render(name)
	local region = track:bounce_range(0, length, ARDOUR.InterThreadInfo(), track:main_outs(), false, name)
	if region:isnil() then fail("no bounce: " .. name) end
	local readable = region:to_audioregion():to_readable()
	local samples = {}
	for c = 0, readable:n_channels() - 1 do
		local position = 0
		repeat
			local got = readable:read(buffer:to_float(0), position, 8192, c)
			local block = buffer:to_float(0):array()
			for i = 1, got do samples[#samples + 1] = block[i] end
			position = position + got
		until got < 8192
	end
	return samples
end

local first = render("first")
local second = render("second")
if #first ~= #second or #first == 0 then fail("the renders differ in length") end
local peak, worst, at = 0, 0, -1
for i = 1, #first do
	peak = math.max(peak, math.abs(second[i]))
	local d = math.abs(first[i] - second[i])
	if d > worst then worst, at = d, i end
end
print(string.format("peak %.6g, largest difference %.6g at sample %d", peak, worst, at))
if peak < 1e-4 then fail("the render is silent") end
if worst > 1e-6 * peak then fail("the first render differs from the second") end
print("RESULT: PASS")
io.stdout:flush()
os.exit(0)
