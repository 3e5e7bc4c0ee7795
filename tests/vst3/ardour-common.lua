-- What every headless Ardour test script starts with: a way to fail, and the engine running on
-- the Dummy backend. Loaded with dofile from the scripts beside it.
local common = {}

-- Prints the reason and the verdict, and ends the process (closing a session can hang).
function common.fail(message)
	print("FAIL: " .. message)
	print("RESULT: FAIL")
	io.stdout:flush()
	os.exit(1)
end

function common.startDummyEngine(rate)
	local backend = AudioEngine:set_backend("None (Dummy)", "", "")
	if not backend or backend:isnil() then common.fail("no Dummy backend") end
	backend:set_sample_rate(rate)
	backend:set_buffer_size(256)
	if AudioEngine:start(false) ~= 0 then common.fail("the engine does not start") end
end

-- A script beside the calling one, by file name.
function common.beside(name)
	return debug.getinfo(2, "S").source:sub(2):match("(.*/)") .. name
end

return common
