#pragma once
// The request texts of every exchange with the chat service, byte for byte
// as a browser of the service's time sent them: the servers answer only
// requests that look like that, so the order and spelling of every header
// line matters. All texts are bytes (the ANSI code page of the session's
// texts); the caller converts.

#include <cstdint>
#include <string>
#include <string_view>

#include "chat/endpoints.h"

namespace vellora {

// The form login at the club web server. Name and password go into the body
// exactly as typed, without percent-encoding.
std::string LoginFormRequest(const Endpoints& e, std::string_view loginName, std::string_view password);

// The club page that shows the user's numeric id.
std::string UserIdPageRequest(const Endpoints& e, std::string_view phpSessionId);

// The chat entry at the chat server.
std::string ChatEnterRequest(const Endpoints& e, std::string_view ownUserId, std::string_view phpSessionId);

// The participation request that completes the chat entry.
std::string ParticipateRequest(const Endpoints& e, std::string_view jSessionId);

// The poll request, always one outstanding while in the chat.
std::string GetdataRequest(const Endpoints& e, std::string_view jSessionId);

// A line typed by the user; MessageBytes is already percent-encoded.
std::string SendMessageRequest(const Endpoints& e, std::string_view jSessionId, std::string_view messageBytes);

// The logout fired at shutdown.
std::string LogoutRequest(const Endpoints& e, std::string_view jSessionId);

// An avatar download (sent to the club web server's address): the picture
// source with every "/s/" (small) turned into "/l/" (large).
std::string AvatarRequest(const Endpoints& e, std::string_view picUrl);

// A profile page download (sent to the club web server's address).
std::string ProfileRequest(const Endpoints& e, std::int32_t uid);

}  // namespace vellora
